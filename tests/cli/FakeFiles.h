#pragma once
// An in-memory folder for running the commands without touching the disk.

#include <map>
#include <string>

#include "cli/CliFiles.h"
#include "image/RadioImage.h"

namespace vorix::cli::test {

class FakeFiles : public CliFiles {
public:
    std::map<std::string, FileContent> files;          // "-" holds what went to standard output
    std::map<std::string, std::string> failingWrites;  // path -> reason, found when it is written
    std::map<std::string, std::string> refusedOutputs; // path -> reason, found before anything is done
    int writes = 0;

    InputRead read(const std::string& path, std::size_t limit) override {
        const auto it = files.find(path);
        if (it == files.end())
            return Failure{"No such file or directory"};
        FileContent content = it->second;
        const bool longer = content.size() > limit;
        if (longer)
            content.resize(limit);
        return InputContent{content, longer};
    }

    OutputResult write(const std::string& path, const FileContent& content) override {
        ++writes;
        const auto failing = failingWrites.find(path);
        if (failing != failingWrites.end())
            return Failure{OutputFailure{failing->second}};
        files[path] = content;
        return {};
    }

    Result<void> checkOutput(const std::string& path) override {
        const auto refused = refusedOutputs.find(path);
        if (refused == refusedOutputs.end())
            return {};
        return Failure{refused->second};
    }

    bool sameFile(const std::string& a, const std::string& b) override { return a == b; }

    void put(const std::string& path, const RadioImage& image) {
        files[path] = FileContent(image.bytes().begin(), image.bytes().end());
    }
    void put(const std::string& path, const std::string& text) {
        files[path] = FileContent(text.begin(), text.end());
    }
};

} // namespace vorix::cli::test
