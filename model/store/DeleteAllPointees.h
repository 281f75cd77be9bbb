#pragma once
// Destroys every element of a vector of owned pointers, last first, and
// empties the vector.

#include <vector>

template <typename T>
void DeleteAllPointees(std::vector<T*>& items) {
    while (!items.empty()) {
        T* last = items.back();
        items.pop_back();
        delete last;
    }
}
