// What must hold after every action, whatever the user did: at most twelve functions, a
// Range that can be drawn, a caption whose "*" tells the truth, no window out of reach, and
// a picture of the graph window's size.
#pragma once

#include <QString>
#include <optional>

namespace lindor::monkey {

class Session;

// The first rule that does not hold, described; nothing when all hold.
std::optional<QString> brokenRule(Session& session);

} // namespace lindor::monkey
