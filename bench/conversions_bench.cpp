// The conversions against their standard-library counterparts on the same
// inputs: ReadNumber vs std::from_chars, NumberToText vs std::to_chars with
// 15 significant digits. Run: build/bench/velmora-bench
#include <benchmark/benchmark.h>

#include <charconv>
#include <string_view>
#include <vector>

#include "numbers/number_text.h"

namespace {

const std::vector<std::string_view> kFieldTexts = {"112", "9999", "-999", "1.5", "9e99", "116", ".1", "-12"};
const std::vector<std::string_view> kLongDecimals = {
    "12345678901234567890", "0.12345678901234567890", "98765432109876543210",
    "-3.1415926535897932384", "27182818284590452353"};
const std::vector<double> kValues = {116, -1026, 7.5, -0.9, 2.1, 9e99, 1e-5, 10035, 0.333333333333333, 19.5};

void ReadAll(benchmark::State& state, const std::vector<std::string_view>& texts) {
  for (auto _ : state)
    for (std::string_view text : texts) benchmark::DoNotOptimize(velmora::ReadNumber(text));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

void FromCharsAll(benchmark::State& state, const std::vector<std::string_view>& texts) {
  for (auto _ : state)
    for (std::string_view text : texts) {
      double x = 0;
      std::from_chars(text.data(), text.data() + text.size(), x);
      benchmark::DoNotOptimize(x);
    }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

void BM_ReadNumber_Field(benchmark::State& s) { ReadAll(s, kFieldTexts); }
void BM_FromChars_Field(benchmark::State& s) { FromCharsAll(s, kFieldTexts); }
void BM_ReadNumber_20Digits(benchmark::State& s) { ReadAll(s, kLongDecimals); }
void BM_FromChars_20Digits(benchmark::State& s) { FromCharsAll(s, kLongDecimals); }

void BM_NumberToText(benchmark::State& state) {
  for (auto _ : state)
    for (double x : kValues) benchmark::DoNotOptimize(velmora::NumberToText(x, '.'));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kValues.size()));
}

void BM_ToChars_General15(benchmark::State& state) {
  for (auto _ : state)
    for (double x : kValues) {
      char buffer[32];
      benchmark::DoNotOptimize(std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 15));
      benchmark::DoNotOptimize(buffer);
    }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kValues.size()));
}

BENCHMARK(BM_ReadNumber_Field);
BENCHMARK(BM_FromChars_Field);
BENCHMARK(BM_ReadNumber_20Digits);
BENCHMARK(BM_FromChars_20Digits);
BENCHMARK(BM_NumberToText);
BENCHMARK(BM_ToChars_General15);

}  // namespace
