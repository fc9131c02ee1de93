// The simulator's process, as the system knows it: its id and when it
// started. The same for every start of the plug-in in one run of the
// simulator; another run has another, even one the system gave the same id.
#pragma once

struct ProcessIdentity {
    unsigned long id;
    unsigned long long started;  // in the system's own units; 0 where it cannot be told
};

ProcessIdentity currentProcess();
