#pragma once
// A folder listing that delivers a prepared list of entries.
#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "platform/FolderListing.h"

namespace belegbote::testing {

class FakeListing : public FolderListing {
public:
    explicit FakeListing(CallLog& log, char separator = '\\') : log_(log), separator_(separator) {}

    ListingStart FindFirst(const std::string& searchText, ListedEntry& first) override {
        log_.push_back("FindFirst " + searchText);
        next_ = 0;
        if (start != ListingStart::Opened) {
            return start;
        }
        first = entries.at(next_++);
        return ListingStart::Opened;
    }
    bool FindNext(ListedEntry& next) override {
        log_.push_back("FindNext");
        if (next_ >= entries.size()) {
            return false;
        }
        next = entries[next_++];
        return true;
    }
    void FindClose() override { log_.push_back("FindClose"); }
    char PathSeparator() const override { return separator_; }

    // With Opened, `entries` must hold at least one entry.
    ListingStart start = ListingStart::Opened;
    std::vector<ListedEntry> entries;

private:
    CallLog& log_;
    char separator_;
    std::size_t next_ = 0;
};

}  // namespace belegbote::testing
