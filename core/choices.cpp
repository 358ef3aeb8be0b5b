#include "core/choices.h"

const Named* NamedList::find(int value) const {
    for (std::size_t i = 0; i < count_; ++i)
        if ((*this)[i].value == value) return &(*this)[i];
    return nullptr;
}

const Named* NamedList::find_word(const std::string& word) const {
    for (std::size_t i = 0; i < count_; ++i)
        if ((*this)[i].word && word == (*this)[i].word) return &(*this)[i];
    return nullptr;
}

std::string NamedList::words(const char* between) const {
    std::string out;
    for (std::size_t i = 0; i < count_; ++i) {
        if (!(*this)[i].word) continue;
        if (!out.empty()) out += between;
        out += (*this)[i].word;
    }
    return out;
}
