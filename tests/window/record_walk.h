#pragma once
// A plain walk over a stored layout record for the tests: the entries and
// the offset, code and value bytes of each setting, found with its own
// table of value sizes rather than with the reader.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::test {

inline std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, std::size_t n) {
  std::uint32_t v = 0;
  for (std::size_t i = n; i-- > 0;) v = v << 8 | b[at + i];
  return v;
}

struct Setting {
  std::size_t offset;  // of the code byte
  std::uint8_t code;
  std::vector<std::uint8_t> value;
};

struct Entry {
  std::size_t marker_at = 0;  // controls: the marker; window: the name
  std::uint32_t length = 0;   // controls only
  std::uint16_t flags = 0;
  std::uint8_t number = 0;
  std::int16_t index = 0;
  std::string name;           // as stored (code page 1251)
  std::uint8_t kind = 0;
  std::vector<Setting> settings;
  std::size_t end_at = 0;     // the end byte FF
};

struct Walk {
  Entry window;
  std::vector<Entry> controls;
  std::size_t closing_at = 0;
};

// Bytes of the value that follows `code` at `at` in an entry of `kind`.
inline std::size_t ValueSize(std::span<const std::uint8_t> r, std::uint8_t kind,
                             std::uint8_t code, std::size_t at) {
  const auto text = [&] { return 2 + Le(r, at, 2) + 1; };
  if (kind == 13) {
    switch (code) {
      case 0x01: case 0x24: return text();
      case 0x03: return 4;
      case 0x19: return 7 + 4 + Le(r, at + 7, 4);
      case 0x26: case 0x27: case 0x46: return 1;
      case 0x35: return 16;
      case 0x40: return 11 + std::size_t{r[at + 10]};
    }
  } else if (kind == 2) {
    switch (code) {
      case 0x01: case 0x12: return 2;
      case 0x04: return 8;
      case 0x0B: return text();
      case 0x09: case 0x17: case 0x18: case 0x24: case 0x2D: return 1;
    }
  } else {
    switch (code) {
      case 0x01: return text();
      case 0x02: case 0x11: case 0x12: return 2;
      case 0x03: return 4;
      case 0x04: case 0x05: return 8;
      case 0x14: case 0x29: return 1;
    }
  }
  throw std::runtime_error("unknown code " + std::to_string(code));
}

inline std::size_t ReadSettings(std::span<const std::uint8_t> r, std::size_t at, Entry& e) {
  while (r[at] != 0xFF) {
    const std::uint8_t code = r[at];
    const std::size_t n = ValueSize(r, e.kind, code, at + 1);
    e.settings.push_back({at, code, {r.begin() + static_cast<std::ptrdiff_t>(at + 1),
                                     r.begin() + static_cast<std::ptrdiff_t>(at + 1 + n)}});
    at += 1 + n;
  }
  e.end_at = at;
  return at + 1;
}

inline std::string TextAt(std::span<const std::uint8_t> r, std::size_t at) {
  return {r.begin() + static_cast<std::ptrdiff_t>(at + 2),
          r.begin() + static_cast<std::ptrdiff_t>(at + 2 + Le(r, at, 2))};
}

// Walks a well-formed record (the one the build writes).
inline Walk WalkRecord(std::span<const std::uint8_t> r) {
  Walk w;
  std::size_t at = 98;  // header, counts and zero byte
  w.window.marker_at = at;
  w.window.name = TextAt(r, at);
  at += 2 + w.window.name.size() + 1;
  w.window.kind = r[at];
  at = ReadSettings(r, at + 1, w.window);
  while (r[at] == 1 || r[at] == 3) {
    Entry e;
    e.marker_at = at;
    e.length = Le(r, at + 1, 2);
    e.flags = static_cast<std::uint16_t>(Le(r, at + 3, 2));
    e.number = r[at + 5];
    e.index = static_cast<std::int16_t>(Le(r, at + 6, 2));
    e.name = TextAt(r, at + 8);
    at += 8 + 2 + e.name.size() + 1;
    e.kind = r[at];
    at = ReadSettings(r, at + 1, e);
    w.controls.push_back(e);
  }
  w.closing_at = at;
  return w;
}

inline const Setting& Find(const Entry& e, std::uint8_t code) {
  for (const Setting& s : e.settings)
    if (s.code == code) return s;
  throw std::runtime_error("no setting " + std::to_string(code));
}

}  // namespace velmora::test
