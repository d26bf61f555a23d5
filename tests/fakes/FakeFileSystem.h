#pragma once
// An in-memory file system that records every call.
#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace belegbote::testing {

class FakeFileSystem : public FileSystem {
public:
    bool ReadWholeFile(const std::string& name, FileBytes& out) override {
        calls.push_back("Read " + name);
        auto it = files.find(name);
        if (it == files.end() || unreadable) {
            return false;
        }
        out = FileBytes{encoding, it->second};
        held = true;
        return true;
    }
    void ReleaseReadFile() override {
        calls.push_back("Release");
        held = false;
    }
    bool WriteNewFile(const std::string& name, std::string_view bytes) override {
        calls.push_back("Write " + name);
        if (writeFails) {
            return false;
        }
        files[name] = std::string(bytes);
        return true;
    }
    DeleteOutcome RemoveFile(const std::string& path) override {
        calls.push_back("Remove " + path);
        if (!deleteOutcomes.empty()) {
            DeleteOutcome next = deleteOutcomes.front();
            deleteOutcomes.erase(deleteOutcomes.begin());
            if (next == DeleteOutcome::Deleted) {
                files.erase(path);
            }
            return next;
        }
        return files.erase(path) ? DeleteOutcome::Deleted : DeleteOutcome::Missing;
    }
    FileReadiness CheckReadiness(const std::string& path) override {
        calls.push_back("Check " + path);
        auto it = readiness.find(path);
        return it == readiness.end() ? FileReadiness::Ready : it->second;
    }

    std::map<std::string, std::string> files;
    ConfigEncoding encoding = ConfigEncoding::Ansi;
    bool unreadable = false;
    bool writeFails = false;
    bool held = false;
    // Outcomes of the next RemoveFile calls, in order; then the default.
    std::vector<DeleteOutcome> deleteOutcomes;
    std::map<std::string, FileReadiness> readiness;
    std::vector<std::string> calls;
};

}  // namespace belegbote::testing
