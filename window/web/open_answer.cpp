#include "window/web/open_answer.h"

#include "json/json_writer.h"
#include "window/bytes.h"
#include "window/web/page_description.h"

namespace velmora::web {

template <Opened kAnswer>
std::string OpenAnswer(const Layout& layout, const NumberPanel& panel, std::span<const std::uint8_t> record) {
  JsonWriter out;
  out.BeginObject();
  out.Key("record").String(Fingerprint(record));
  if constexpr (kAnswer == Opened::kWindow)
    WriteWindow(out, layout, panel);  // the panel's state among its members
  else
    WritePanelMember(out, panel);
  out.EndObject();
  return std::move(out).Take();
}

template std::string OpenAnswer<Opened::kPanel>(const Layout&, const NumberPanel&,
                                                std::span<const std::uint8_t>);
template std::string OpenAnswer<Opened::kWindow>(const Layout&, const NumberPanel&,
                                                 std::span<const std::uint8_t>);

}  // namespace velmora::web
