#pragma once
// Joins message pieces: strings as they are, integers in decimal.
#include <concepts>
#include <string>
#include <string_view>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

namespace detail {
inline void AppendPiece(std::string& out, std::string_view s) { out += s; }
inline void AppendPiece(std::string& out, char c) { out += c; }
template <std::integral T>
    requires(!std::same_as<T, char> && !std::same_as<T, bool>)
void AppendPiece(std::string& out, T n) { out += std::to_string(n); }
}  // namespace detail

template <class... Pieces>
std::string Join(const Pieces&... pieces) {
    std::string out;
    (detail::AppendPiece(out, pieces), ...);
    return out;
}

}  // namespace tolvex

TOLVEX_END_API
