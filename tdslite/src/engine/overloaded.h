// The usual helper for std::visit with one lambda per alternative.
#pragma once

namespace tdslite {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace tdslite
