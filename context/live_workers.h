// Worker threads that are still running. The exit path asks before it tears down what workers
// read (the framework's texts and archive, the application context, other statics): while one
// runs, the process ends without that teardown.
#pragma once

#include <functional>

// The worker body to hand to the thread: it counts as live from this call until it returns, or,
// when no thread could be made for it, until it is dropped unrun. Wrap it on the starting thread
// before the new thread exists, so that no running worker is ever uncounted.
std::function<void()> TrackWorker(std::function<void()> body);

// Tracked workers that have not finished.
int LiveWorkerCount();
