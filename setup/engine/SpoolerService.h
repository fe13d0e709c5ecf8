// Stopping and starting the print spooler service "Spooler", for replacing
// the libraries it holds loaded and for settings it reads when it starts.
// Each operation opens the service manager with full access and the service
// with only the right it needs, closes both before it returns, and keeps its
// fixed pauses. Only the install worker calls them, one at a time.
#pragma once

#include "platform/wintypes.h"

// Stops the service and pauses 100 ms; a refused stop is not reported.
void StopSpooler();
// Starts the service. A refusal other than "already running" leaves
// "Start spool service error, error code = <code>" in the result text.
void StartSpooler();
// Polls the service up to 10 times, 300 ms apart, until it runs; returns the
// last state seen (SERVICE_STOPPED when it could not be asked). A service
// that does not run leaves "StartSpoolService error" in the result text.
DWORD WaitSpoolerRunning();
// Stops the service, pauses 300 ms and starts it again; reports nothing.
void RestartSpooler();
