#include "core/Sorts.h"

#include <utility>

#include "core/TextNumbers.h"

namespace kelvaro {

namespace {

// (first + last) / 2 with an exact half going to the even index: 0..5 gives 2, 2..5 gives 4.
int Midpoint(int first, int last) {
    long long sum = static_cast<long long>(first) + last;
    long long half = sum >= 0 ? sum / 2 : -((-sum + 1) / 2); // floor
    if (sum % 2 != 0 && half % 2 != 0) ++half;
    return static_cast<int>(half);
}

// The quicksort shared by both sorts. less(i, pivot) / greater(i, pivot) compare element i with
// the pivot taken from the middle element before the scan; swap(i, j) exchanges two rows.
// The smaller part is sorted by recursion and the larger one by the loop: the parts are
// disjoint, so the order in which they are sorted does not change the result, and the stack
// stays shallow on any input.
template <typename Pivot, typename TakePivot, typename Less, typename Greater, typename Swap>
void QuickSort(int first, int last, TakePivot takePivot, Less less, Greater greater, Swap swap) {
    while (first < last) {
        Pivot pivot = takePivot(Midpoint(first, last));
        int i = first;
        int j = last;
        while (i <= j) {
            while (i < last && less(i, pivot)) ++i;
            while (j > first && greater(j, pivot)) --j;
            if (i <= j) {
                if (i != j) swap(i, j);
                ++i;
                --j;
            }
        }
        bool leftPart = first < j;
        bool rightPart = i < last;
        if (leftPart && rightPart) {
            if (j - first < last - i) {
                QuickSort<Pivot>(first, j, takePivot, less, greater, swap);
                first = i;
            } else {
                QuickSort<Pivot>(i, last, takePivot, less, greater, swap);
                last = j;
            }
        } else if (leftPart) {
            last = j;
        } else if (rightPart) {
            first = i;
        } else {
            return;
        }
    }
}

// Clamps the range to the list; false when there is nothing to sort.
bool ClampRange(std::size_t size, int& first, int& last) {
    if (size == 0) return false;
    int highest = static_cast<int>(size - 1);
    if (last == -1 || last > highest) last = highest;
    if (first < 0) first = 0;
    return first < last;
}

} // namespace

void SortNativeModes(std::vector<std::string>& keys, std::vector<std::string>& col1, std::vector<std::string>& col2,
                     std::vector<std::string>& col3, std::vector<std::string>& col4, int first, int last) {
    if (!ClampRange(keys.size(), first, last)) return;
    auto swapIf = [](std::vector<std::string>& col, int i, int j) {
        if (static_cast<std::size_t>(i) < col.size() && static_cast<std::size_t>(j) < col.size())
            std::swap(col[static_cast<std::size_t>(i)], col[static_cast<std::size_t>(j)]);
    };
    auto at = [&](int i) -> const std::string& { return keys[static_cast<std::size_t>(i)]; };
    QuickSort<std::string>(
        first, last, [&](int m) { return at(m); },
        // std::string compares by char_traits, which orders by unsigned character codes.
        [&](int i, const std::string& p) { return at(i) < p; }, [&](int i, const std::string& p) { return at(i) > p; },
        [&](int i, int j) {
            swapIf(keys, i, j);
            swapIf(col1, i, j);
            swapIf(col2, i, j);
            swapIf(col3, i, j);
            swapIf(col4, i, j);
        });
}

void SortNumericList(std::vector<std::string>& list, int first, int last) {
    if (!ClampRange(list.size(), first, last)) return;
    // Each text is read once; the values travel with their texts.
    std::vector<double> values(list.size());
    for (int k = first; k <= last; ++k)
        values[static_cast<std::size_t>(k)] = LeadingNumber(list[static_cast<std::size_t>(k)]);
    auto at = [&](int i) { return values[static_cast<std::size_t>(i)]; };
    QuickSort<double>(
        first, last, [&](int m) { return at(m); }, [&](int i, double p) { return at(i) < p; },
        [&](int i, double p) { return at(i) > p; },
        [&](int i, int j) {
            std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
            std::swap(values[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(j)]);
        });
}

} // namespace kelvaro
