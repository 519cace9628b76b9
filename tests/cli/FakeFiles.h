#pragma once
// An in-memory folder for running the commands without touching the disk.

#include <map>
#include <string>

#include "cli/CliFiles.h"
#include "image/RadioImage.h"

namespace vorix::cli::test {

class FakeFiles : public CliFiles {
public:
    std::map<std::string, FileContent> files;
    std::map<std::string, std::string> failingWrites; // path -> reason
    int writes = 0;

    FileRead read(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end())
            return {std::nullopt, "No such file or directory"};
        return {it->second, {}};
    }

    std::string writeAtomically(const std::string& path, const FileContent& content) override {
        ++writes;
        const auto failing = failingWrites.find(path);
        if (failing != failingWrites.end())
            return failing->second;
        files[path] = content;
        return {};
    }

    void put(const std::string& path, const RadioImage& image) {
        files[path] = FileContent(image.bytes().begin(), image.bytes().end());
    }
    void put(const std::string& path, const std::string& text) { files[path] = FileContent(text.begin(), text.end()); }
};

} // namespace vorix::cli::test
