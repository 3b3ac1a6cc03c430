#pragma once
#include <string>
#include <vector>

namespace kelvaro {

// Quicksort of keys[first..last] ascending by character codes; every exchange of two keys is
// made in the four companion columns too. last == -1 means the highest index of keys. The
// midpoint of each range is (first + last) / 2 rounded half to even.
void SortNativeModes(std::vector<std::string>& keys, std::vector<std::string>& col1, std::vector<std::string>& col2,
                     std::vector<std::string>& col3, std::vector<std::string>& col4, int first, int last);

// The same quicksort on one list, ascending by the leading number of each text; the pivot is the
// value of the middle element itself.
void SortNumericList(std::vector<std::string>& list, int first, int last);

} // namespace kelvaro
