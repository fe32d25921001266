// Velmora.exe's resources: version record, icon, stored layout record; and
// the error text the program shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "app/win32/resource.h"
#include "numbers/runtime_error.h"
#include "tests/win32/support.h"
#include "window/front_end.h"
#include "window/win32/program.h"
#include "window/win32/resource_data.h"
#include "window/win32/text.h"

namespace velmora::win32::test {
namespace {

TEST(ResourcesTest, VersionRecordHoldsTheSettledFields) {
  const std::wstring path = ProgramPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<std::uint8_t> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct Translation { WORD language, code_page; }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, sizeof *translation);
  wchar_t block[64];
  swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->code_page);

  auto value = [&](const wchar_t* name) -> std::wstring {
    wchar_t* text = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(info.data(), (std::wstring(block) + name).c_str(),
                        reinterpret_cast<void**>(&text), &chars) || !text)
      return L"(missing)";
    return text;
  };
  const struct { const wchar_t* name; const wchar_t* value; } settled[] = {
      {L"FileVersion", L"1.00"},
      {L"ProductVersion", L"1.00"},
      {L"InternalName", L"Velmora"},
      {L"OriginalFilename", L"Velmora.exe"},
  };
  for (const auto& field : settled) EXPECT_EQ(value(field.name), field.value) << Utf8(field.name);
  for (const wchar_t* chosen : {L"ProductName", L"CompanyName", L"LegalCopyright", L"LegalTrademarks"}) {
    EXPECT_NE(value(chosen), L"(missing)") << Utf8(chosen);
    EXPECT_FALSE(value(chosen).empty()) << Utf8(chosen);
  }
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::vector<int>*>(ids)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

TEST(ResourcesTest, TheApplicationIconIsTheRecordsPicture) {
  HMODULE module = ProgramModule();
  std::vector<int> groups;
  EnumResourceNamesW(module, RT_GROUP_ICON, CollectId, reinterpret_cast<LONG_PTR>(&groups));
  ASSERT_FALSE(groups.empty());
  EXPECT_EQ(*std::min_element(groups.begin(), groups.end()), IDI_VELMORA);

  // The group: one 32 x 32 image in 256 colours.
  const auto group = LoadResourceBytes(module, IDI_VELMORA, RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u + 14u);
  EXPECT_EQ(group[4] | group[5] << 8, 1);
  const std::uint8_t* entry = group.data() + 6;
  EXPECT_EQ(entry[0], 32);  // width
  EXPECT_EQ(entry[1], 32);  // height
  EXPECT_EQ(entry[2], 0);   // 256 colours
  EXPECT_EQ(entry[6] | entry[7] << 8, 8);  // bits per pixel
  const int image_id = entry[12] | entry[13] << 8;

  const auto image = LoadResourceBytes(module, image_id, RT_ICON);
  BITMAPINFOHEADER header{};
  ASSERT_GE(image.size(), sizeof header);
  std::memcpy(&header, image.data(), sizeof header);
  EXPECT_EQ(header.biWidth, 32);
  EXPECT_EQ(header.biHeight, 64);  // picture and mask
  EXPECT_EQ(header.biBitCount, 8);

  // The same bytes as the image inside the record's icon file.
  const std::vector<std::uint8_t>& file = ProgramLayout().icon;
  ASSERT_GE(file.size(), 22u);
  const std::uint32_t offset = file[18] | file[19] << 8 | file[20] << 16 | static_cast<std::uint32_t>(file[21]) << 24;
  ASSERT_LE(offset, file.size());
  EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin() + static_cast<std::ptrdiff_t>(offset), file.end()));
}

TEST(ResourcesTest, TheLayoutRecordIsReadWithEveryStepChecked) {
  const auto record = LoadResourceBytes(ProgramModule(), IDR_LAYOUT);
  ASSERT_GE(record.size(), 4u);
  EXPECT_EQ(record[0], 0xFF);
  EXPECT_EQ(record[1], 0xCC);
  EXPECT_EQ(ProgramLayout().name, "Velmora");
  try {
    LoadResourceBytes(ProgramModule(), 999);
    ADD_FAILURE() << "a missing resource gave bytes";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), kErrorBadLayout);
    EXPECT_NE(error.Description().find("FindResource"), std::string::npos);
  }
}

TEST(ErrorTest, FailuresBecomeNumberedRunTimeErrors) {
  const struct { std::exception_ptr failure; int number; const wchar_t* text; } cases[] = {
      {std::make_exception_ptr(RuntimeError(6, "Overflow")), 6, L"Run-time error 6:\n\nOverflow"},
      {std::make_exception_ptr(std::bad_alloc()), 7, L"Run-time error 7:\n\nOut of memory"},
      {std::make_exception_ptr(42), 51, L"Run-time error 51:\n\nInternal error"},
  };
  for (const auto& c : cases) {
    const RuntimeError error = AsRuntimeError(c.failure);
    EXPECT_EQ(error.Number(), c.number);
    EXPECT_EQ(Utf16(ErrorText(error)), c.text);  // what the error box shows
  }
}

}  // namespace
}  // namespace velmora::win32::test
