#pragma once

#include "platform/instance_lines.h"

#include <functional>
#include <memory>
#include <string>

namespace orvalis {

// One running copy per user. The first copy listens on a local socket named after the window class and the
// user, in a folder only the user can use; later copies find it and send it "show" or "close", one word a
// line (instance_lines.h reads them).

// Connections the first copy holds at once, and the time a connection has to send a complete line.
constexpr int InstanceConnectionBound = 8;
constexpr int InstanceIdleMilliseconds = 2000;
// How often the first copy checks that it still listens, and listens again if not.
constexpr int InstanceRelistenMilliseconds = 500;

class TSingleInstance {
public:
    virtual ~TSingleInstance() = default;
    // Becomes the first copy when no other listens (also when the name cannot be taken for listening);
    // false when another copy already runs.
    virtual bool BecomeFirst() = 0;
    // Sends the message to the first copy; false when none runs.
    virtual bool Send(TInstanceMessage message) = 0;
    // Stops answering as the first copy: the socket goes, held connections are dropped and no message is
    // passed on any more, so that a start from now on becomes the first copy itself.
    virtual void Resign() = 0;
    std::function<void(TInstanceMessage)> OnMessage;
};
// The Qt implementation over a local socket; an empty name uses "Orvalis" and the current user. A name
// without "/" lies in InstanceSocketFolder(); a name with "/" is a path of its own.
std::unique_ptr<TSingleInstance> CreateSingleInstance(const std::string& name = {});
// $XDG_RUNTIME_DIR when set, otherwise the folder "orvalis-" + user id in the temporary folder, made with
// mode 0700. Empty when the folder is not a folder of the current user that only this user can use.
std::string InstanceSocketFolder();
// Resigns the instance of this process that became the first copy, if any (see TSingleInstance::Resign).
void ResignFirstCopy();

} // namespace orvalis
