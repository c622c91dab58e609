#pragma once
// Processing pending window events from inside a handler.
namespace app {

// Dispatches every message waiting in this thread's queue, then returns.
void DoEvents();

}  // namespace app
