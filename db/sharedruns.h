// Packed runs that two columns may share: the stores keep their runs as
// shared pointers, so a run equal to another column's run at the same
// place can be kept once.
#pragma once

#include <memory>
#include <vector>

namespace bralvo::db {

// Mine's last run becomes theirs at the same place when both hold the
// same values.
template <class Run>
void shareLastRun(std::vector<std::shared_ptr<const Run>> &mine,
                  const std::vector<std::shared_ptr<const Run>> &theirs)
{
    if (mine.empty() || theirs.size() < mine.size())
        return;
    auto &last = mine.back();
    const auto &other = theirs[mine.size() - 1];
    if (last != other && *last == *other)
        last = other;
}

} // namespace bralvo::db
