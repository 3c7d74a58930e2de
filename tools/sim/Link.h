#pragma once
// zq350-sim's --link: a symbolic link to its port, made only where nothing stands, and taken
// along on every way out while it is still the simulator's link.

#include <string>

namespace sim {

// Makes room for the link at path, or says why not. Nothing that stands there is replaced: a
// file, a folder, a port, any link (the real port named by a udev rule or ln, another
// simulator's link to its port). Only a stale link of a simulator, to a pseudo-terminal
// /dev/pts/N that no longer exists, is removed. A path that names nothing is fine.
bool ClearLinkPath(const std::string& path, std::string& error);

// Makes path a symbolic link to port, never over anything, and has it removed on exit and on
// SIGHUP, SIGINT, SIGPIPE and SIGTERM (see CatchEndingSignals) while it still points to port.
// False with the system's text in error.
bool MakeLink(const std::string& path, const std::string& port, std::string& error);

// Signals that would end the simulator take the link along first; one that the caller
// ignores (nohup, a background job) stays ignored.
void CatchEndingSignals();

}  // namespace sim
