// TFilterOptions: how a filter expression compares texts, the one set that
// datasets (Filter/FilterOptions) and the expression evaluator share. The set
// is stored as the two low bits that the DBF table handle's filter call takes
// (bit 0 case insensitive, bit 1 no partial compare).
#pragma once

#include <cstdint>
#include <initializer_list>

namespace zarn {

enum TFilterOption : std::uint8_t {
  foCaseInsensitive = 0,   // texts compare without regard to letter case
  foNoPartialCompare = 1,  // '=' between texts is plain equality, no '*' '?' patterns
};

class TFilterOptions {
 public:
  constexpr TFilterOptions() = default;
  constexpr TFilterOptions(TFilterOption option) { Include(option); }
  constexpr TFilterOptions(std::initializer_list<TFilterOption> options) {
    for (TFilterOption option : options) Include(option);
  }

  // The set whose members are the set bits of `bits` (bits above 1 are ignored).
  static constexpr TFilterOptions FromBits(std::uint8_t bits) {
    TFilterOptions options;
    options.bits_ = bits & kAllBits;
    return options;
  }
  constexpr std::uint8_t Bits() const { return bits_; }

  constexpr bool Contains(TFilterOption option) const { return (bits_ & Bit(option)) != 0; }
  constexpr void Include(TFilterOption option) { bits_ |= Bit(option); }
  constexpr void Exclude(TFilterOption option) { bits_ &= ~Bit(option); }
  constexpr bool Empty() const { return bits_ == 0; }

  friend constexpr bool operator==(TFilterOptions, TFilterOptions) = default;
  friend constexpr TFilterOptions operator|(TFilterOptions set, TFilterOption option) {
    set.Include(option);
    return set;
  }

 private:
  static constexpr std::uint8_t kAllBits = 0x03;
  static constexpr std::uint8_t Bit(TFilterOption option) {
    return static_cast<std::uint8_t>(1u << option);
  }

  std::uint8_t bits_ = 0;
};

constexpr TFilterOptions operator|(TFilterOption a, TFilterOption b) { return TFilterOptions{a, b}; }

}  // namespace zarn
