#pragma once
// A link::LinkDisplay that records every call, in order, in the words the dialog would show.

#include <functional>
#include <string>
#include <vector>

#include "image/AppState.h"
#include "link/LinkDisplay.h"
#include "link/LinkTexts.h"

namespace vorix::test {

class RecordingLinkDisplay final : public link::LinkDisplay {
public:
    /// The texts follow state.language at the moment of each call.
    explicit RecordingLinkDisplay(const AppState& state) : state_(state) {}

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

    void setCaption(link::LinkCaption caption) override {
        const std::string text(CaptionText(caption, state_.language));
        captions.push_back(text);
        log.push_back("caption " + text);
    }
    void resetProgress() override {
        progress.push_back(0.0);
        log.push_back("progress");
    }
    void setProgress(double fraction) override {
        progress.push_back(fraction);
        log.push_back("progress");
        const std::string label = CompleteLabel(fraction, state_.language);
        labels.push_back(label);
        log.push_back("label " + label);
    }
    void showResult(link::LinkResult result) override {
        const std::string text(ResultText(result, state_.language));
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

private:
    const AppState& state_;
};

} // namespace vorix::test
