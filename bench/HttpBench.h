#pragma once

// Megabytes per second for one 16 MB body fetched from a server on the
// loopback interface into the client's Body file, the median of three runs.
double httpGetLoopbackMBps();
