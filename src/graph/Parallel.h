// Independent pieces of work spread over the processor's cores.
#pragma once

#include <cstddef>
#include <functional>

namespace lindor::graph {

// Runs work(0) ... work(count - 1), each once: the calling thread and, where the processor
// has more cores and there is more than one piece, up to one thread per further core
// take the next piece until none is left. Which thread runs a piece is not fixed, so
// pieces must not share anything they change. Returns when all have finished; the first
// exception a piece threw is then thrown again here.
void forEachInParallel(std::size_t count, const std::function<void(std::size_t)>& work);

} // namespace lindor::graph
