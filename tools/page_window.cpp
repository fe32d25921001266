// velmora-page-window RECORD: the web page's description of the window
// that the stored layout record RECORD gives, with the record's
// fingerprint (OpenAnswer<Opened::kWindow>, as velmora-window.wasm answers
// it on opening, before it knows the user's decimal separator), for the
// build to write the page's elements from. Every '<' is written \u003c, so
// that the text can stand inside an HTML <script> element.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "numbers/runtime_error.h"
#include "window/front_end.h"
#include "window/record_reader.h"
#include "window/web/open_answer.h"
#include "window/web/page_description.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: velmora-page-window RECORD\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> record{std::istreambuf_iterator<char>(in), {}};
  if (!in.eof() && in.fail()) {
    std::cerr << "velmora-page-window: cannot read " << argv[1] << "\n";
    return 1;
  }
  try {
    const velmora::Layout layout = velmora::ReadLayoutRecord(record);
    const std::string description =
        velmora::web::OpenAnswer<velmora::web::Opened::kWindow>(
            layout, velmora::web::OpenedPanel(layout, U'.'), record);
    for (const char c : description) {
      if (c == '<')
        std::cout << "\\u003c";
      else
        std::cout << c;
    }
    std::cout << '\n';
  } catch (const velmora::RuntimeError& e) {
    std::cerr << "velmora-page-window: " << argv[1] << ": " << velmora::ErrorText(e) << "\n";
    return 1;
  }
  return std::cout.flush() ? 0 : 1;
}
