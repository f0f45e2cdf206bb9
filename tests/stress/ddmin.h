#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace virdamo::stress {

/// Delta debugging: shrinks a failing input to a smaller one that still fails, by
/// trying ever finer chunks of it alone and with them left out, until no single element
/// can be left out (1-minimal), or until fails() stops answering true (its budget).
/// fails must be true for input; elements keep their order.
template <typename T, typename Fails>
std::vector<T> ddmin(std::vector<T> input, Fails&& fails)
{
    std::size_t parts = 2;
    while (input.size() >= 2) {
        const std::size_t chunk = (input.size() + parts - 1) / parts;
        bool reduced = false;
        // With two parts each chunk alone is the other's complement: try complements only.
        for (std::size_t start = 0; parts > 2 && start < input.size() && !reduced; start += chunk) {
            const auto first = input.begin() + static_cast<std::ptrdiff_t>(start);
            const auto last = input.begin() + static_cast<std::ptrdiff_t>(std::min(start + chunk, input.size()));
            std::vector<T> alone(first, last);
            if (fails(alone)) {
                input = std::move(alone);
                parts = 2;
                reduced = true;
            }
        }
        for (std::size_t start = 0; start < input.size() && !reduced; start += chunk) {
            std::vector<T> without(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(start));
            without.insert(without.end(),
                           input.begin() + static_cast<std::ptrdiff_t>(std::min(start + chunk, input.size())),
                           input.end());
            if (fails(without)) {
                input = std::move(without);
                parts = std::max<std::size_t>(parts - 1, 2);
                reduced = true;
            }
        }
        if (!reduced) {
            if (parts >= input.size()) break;
            parts = std::min(parts * 2, input.size());
        }
    }
    return input;
}

}  // namespace virdamo::stress
