#include "tools/explore/dot_graph.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <unordered_set>

#include "numbers/utf8.h"

extern char** environ;

namespace velmora::explore {
namespace {

// The window's own words for its two buttons.
std::string_view PressLabel(std::int16_t press) {
  return press == NumberPanel::kIncrease ? "увеличава" : "намалява";
}

bool OnPath(const Path& path, TextId from, std::int16_t press) {
  for (std::size_t i = 0; i < path.presses.size(); ++i)
    if (path.fields[i] == from && path.presses[i] == press) return true;
  return false;
}

void WriteNode(std::ostream& out, TextId id, const std::string& text, bool start, bool zero,
               bool bold) {
  out << "  t" << id << " [label=\"" << DotEscaped(text) << "\", style=\"rounded,filled"
      << (bold ? ",bold" : "") << "\", fillcolor=\"" << (zero ? "#c8f0c8" : "white") << '"';
  if (start) out << ", peripheries=2";
  out << "];\n";
}

std::string Failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::string DotEscaped(std::string_view text) {
  std::string escaped;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (length == 1 && byte >= 0x80) {
      escaped += "\xEF\xBF\xBD";
    } else if (byte == '"' || byte == '\\') {
      escaped += '\\';
      escaped += text[pos];
    } else if (byte < 0x20 || byte == 0x7F) {
      escaped += ' ';
    } else {
      escaped.append(text.substr(pos, length));
    }
    pos += length;
  }
  return escaped;
}

void WriteDot(PressGraph& graph, const Drawing& drawing, std::ostream& out) {
  const std::unordered_set<TextId> drawn(drawing.texts.begin(), drawing.texts.end());
  const std::unordered_set<TextId> on_path(drawing.bold.fields.begin(), drawing.bold.fields.end());
  out << "digraph velmora {\n"
         "  label=\""
      << DotEscaped(drawing.caption)
      << "\"; labelloc=t; fontname=\"Liberation Sans\";\n"
         "  node [shape=box, fontname=\"Liberation Sans\"];\n"
         "  edge [fontname=\"Liberation Sans\", fontsize=10];\n";
  for (TextId text : drawing.texts)
    WriteNode(out, text, graph.Text(text), text == drawing.texts.front(), text == graph.Zero(),
              on_path.count(text) > 0);
  for (TextId from : drawing.texts) {
    if (from == graph.Zero()) continue;
    for (std::int16_t press : kPresses) {
      const TextId to = graph.Press(from, press);
      if (drawn.count(to) == 0) continue;
      out << "  t" << from << " -> t" << to << " [label=\"" << PressLabel(press) << '"';
      if (OnPath(drawing.bold, from, press)) out << ", style=bold, penwidth=3";
      out << "];\n";
    }
  }
  out << "}\n";
}

Rendering RenderSvg(std::string_view dot, const std::string& output) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {Rendering::kFailed, Failed("pipe")};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
  std::string program = "dot", format = "-Tsvg", to_file = "-o" + output;
  std::vector<char*> argv = {program.data(), format.data()};
  if (!output.empty()) argv.push_back(to_file.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "dot", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[0]);
  if (spawned != 0) {
    close(pipe_fds[1]);
    if (spawned == ENOENT) return {Rendering::kNoDot, ""};
    errno = spawned;
    return {Rendering::kFailed, Failed("dot")};
  }
  // If dot stops reading, the write fails instead of ending this program.
  std::signal(SIGPIPE, SIG_IGN);
  std::string write_error;
  for (std::size_t done = 0; done < dot.size();) {
    const ssize_t n = write(pipe_fds[1], dot.data() + done, dot.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      write_error = Failed("writing to dot");
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  close(pipe_fds[1]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return {Rendering::kFailed, Failed("waiting for dot")};
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && write_error.empty())
    return {Rendering::kRendered, ""};
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
    return {Rendering::kFailed, "dot: exit status " + std::to_string(WEXITSTATUS(status))};
  if (WIFSIGNALED(status))
    return {Rendering::kFailed, "dot: signal " + std::to_string(WTERMSIG(status))};
  return {Rendering::kFailed, write_error};
}

}  // namespace velmora::explore
