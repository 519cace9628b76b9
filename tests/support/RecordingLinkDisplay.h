#pragma once
// A link::LinkDisplay that records every call, in order, for link tests.

#include <functional>
#include <string>
#include <vector>

#include "link/LinkDisplay.h"

namespace vorix::test {

class RecordingLinkDisplay final : public link::LinkDisplay {
public:
    std::vector<std::string> log; // every call in order: "caption ..", "progress ..", "label ..", ...
    std::vector<double> progress;
    std::vector<std::string> labels;
    std::vector<std::string> captions;
    std::vector<std::string> results;
    std::vector<bool> focusedReadButton;
    int enables = 0;
    int refreshes = 0;
    int closes = 0;
    std::function<void()> onRefresh; // e.g. to look at the image the main window would show
    std::function<void()> onClose;

    void setCaption(const std::string& text) override {
        captions.push_back(text);
        log.push_back("caption " + text);
    }
    void setProgress(double fraction) override {
        progress.push_back(fraction);
        log.push_back("progress");
    }
    void setProgressLabel(const std::string& text) override {
        labels.push_back(text);
        log.push_back("label " + text);
    }
    void showResult(const std::string& text) override {
        results.push_back(text);
        log.push_back("result " + text);
    }
    void enableControls() override {
        ++enables;
        log.push_back("enable");
    }
    void focusStartButton(bool readMode) override {
        focusedReadButton.push_back(readMode);
        log.push_back(readMode ? "focus read" : "focus write");
    }
    void refreshMainWindow() override {
        ++refreshes;
        log.push_back("refresh");
        if (onRefresh)
            onRefresh();
    }
    void closeDialog() override {
        ++closes;
        log.push_back("close");
        if (onClose)
            onClose();
    }
};

} // namespace vorix::test
