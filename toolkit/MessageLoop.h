#pragma once
// Lets every pending window message run (timer events, clicks, posted
// events) and repaints what changed at once; returns when the queue is empty.
namespace ikea::tk {

void ProcessMessages();

}  // namespace ikea::tk
