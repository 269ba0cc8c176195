#pragma once
// Crash recovery: while the program runs, the inputs of every changed calculator window are kept
// as case files in the user's state folder ($XDG_STATE_HOME/pylora/recovery, by default
// ~/.local/state/pylora/recovery), one file per window, named by the program's process id and
// the window's form name. A clean exit removes them; files of a process that no longer runs are
// what a crash or a power cut left, offered at the next start. The project book open in the 工程
// panel is kept the same way while it has changes: <pid>-工程.pylora-project.
#include <filesystem>
#include <string>
#include <vector>

namespace pylora {

std::filesystem::path recoveryFolder();
// The recovery copy of a window of the running program.
std::filesystem::path recoveryFile(const std::filesystem::path& folder, const std::string& formName);
// The recovery copy of the running program's project book.
std::filesystem::path projectRecoveryFile(const std::filesystem::path& folder);
// The copies of windows that programs no longer running left behind, oldest first.
std::vector<std::filesystem::path> abandonedRecoveryFiles(const std::filesystem::path& folder);
// The copies of project books that programs no longer running left behind, oldest first.
std::vector<std::filesystem::path> abandonedProjectRecoveryFiles(const std::filesystem::path& folder);
// Where a copy that cannot be read is moved, so that it is kept but not offered again:
// 4711-壁厚计算.pylora.damaged beside it.
std::filesystem::path damagedRecoveryFile(const std::filesystem::path& copy);
// The running program's own copies, of windows and of its project book.
std::vector<std::filesystem::path> ownRecoveryFiles(const std::filesystem::path& folder);

}  // namespace pylora
