#include "explore/press_graph.h"

namespace velmora::explore {

PressGraph::PressGraph(char32_t regional_separator)
    : regional_separator_(regional_separator), zero_(Intern("0")) {}

NumberPanel PressGraph::LoadedPanel(std::string_view text) const {
  NumberPanel panel(regional_separator_);
  panel.StartWith(text);
  return panel;
}

TextId PressGraph::Typed(std::string_view typed) {
  return Intern(LoadedPanel(typed).FieldText());
}

TextId PressGraph::Press(TextId from, std::int16_t button) {
  const auto slot = static_cast<std::size_t>(button == NumberPanel::kIncrease ? 0 : 1);
  if (presses_[from][slot] == kNotPressed) {
    NumberPanel panel = LoadedPanel(texts_[from]);
    panel.OnCommand(button);
    const TextId to = Intern(panel.FieldText());  // may grow presses_
    presses_[from][slot] = to;
  }
  return presses_[from][slot];
}

std::string PressGraph::Shown(TextId id) const {
  return texts_[id].empty() ? "\"\"" : texts_[id];
}

TextId PressGraph::Intern(std::string_view text) {
  const auto [it, added] = ids_.try_emplace(std::string(text), static_cast<TextId>(texts_.size()));
  if (added) {
    texts_.emplace_back(text);
    presses_.push_back({kNotPressed, kNotPressed});
  }
  return it->second;
}

}  // namespace velmora::explore
