// How the records of one item show one label: the spelling a group shows when
// its records spell the label differently, and two-value labels spelled alike
// by different pairs, brought together.
#pragma once

#include "model/menu_definition.h"
#include "plugin/host_contract.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tg {

// The spellings of one group's label where they differ ("The Beatles",
// "beatles"): the item shows the one most of its records have, the smaller
// text of two as common, whatever order the sort left the records in.
class Spellings {
public:
    bool active() const { return used_ > 0; }
    void clear() { used_ = 0; }
    // The group's first records, before another spelling came, all read first.
    void start(const char* first, int records);
    void add(const char* spelling, int records = 1);
    const std::string& chosen() const;

private:
    std::vector<std::pair<std::string, int>> counts_; // kept for the next group
    std::size_t used_ = 0;
};

// A label of two values spells "first/second", so two different pairs can
// show the same text ("a/b" and "c", "a" and "b/c"), and so can two pairs
// whose label was cut at the end of its buffer; their order need not keep them
// together. At such a level, where that can happen at all (a value holds a
// "/", or the two fill a label), the records of records[first..last] (sorted)
// are moved to where their label first occurs, in their order, so each label
// is one item. Other levels are left as they are.
void gatherSplitLabels(const MenuDefinition& definition, int level, TrackRecord* records, int first,
                       int last);

} // namespace tg
