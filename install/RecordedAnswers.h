#pragma once
// An answers file: the parameters file that replays this run unattended on another computer.
#include <string>

// Writes the answers in force (setup type, features, folder, targets, framework server, the
// switches of an unattended run and the log path) to `path`, whole or not at all. Passwords
// are written only with `withPasswords`; otherwise a comment names the accounts to fill in.
// False when the file could not be written (logged).
bool RecordAnswers(const std::string& path, bool withPasswords);
