#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "runtime/fatal.h"

namespace pexor {

// An array with subscripts from 1 that records its dimensions and checks
// every subscript: below 1 is fatal error 4, above the dimension fatal
// error 1. Elements are stored with the last subscript running fastest.
template <typename T>
class Array {
public:
    // One dimension of size 0: the state of an array that was never built.
    Array() : dims_{0} {}
    explicit Array(std::vector<std::size_t> dims) : dims_(std::move(dims)) {
        std::size_t n = 1;
        for (std::size_t d : dims_) n *= d;
        elements_.assign(n, T{});
    }

    std::size_t dimensionCount() const { return dims_.size(); }
    std::size_t dimension(std::size_t index) const {
        return index < dims_.size() ? dims_[index] : 0;
    }
    std::size_t elementCount() const { return elements_.size(); }

    T& at(std::initializer_list<long long> subscripts) { return elements_[offset(subscripts)]; }
    const T& at(std::initializer_list<long long> subscripts) const {
        return elements_[offset(subscripts)];
    }

private:
    std::size_t offset(std::initializer_list<long long> subscripts) const {
        if (subscripts.size() != dims_.size())
            fatalError(kSubscriptOutOfRange, kSubscriptOutOfRangeText);
        std::size_t index = 0;
        std::size_t d = 0;
        for (long long s : subscripts) {
            if (s < 1) fatalError(kSubscriptBelowOne, kSubscriptBelowOneText);
            if (static_cast<unsigned long long>(s) > dims_[d])
                fatalError(kSubscriptOutOfRange, kSubscriptOutOfRangeText);
            index = index * dims_[d] + static_cast<std::size_t>(s - 1);
            ++d;
        }
        return index;
    }

    std::vector<std::size_t> dims_;
    std::vector<T> elements_;
};

}  // namespace pexor
