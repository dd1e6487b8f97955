// A DLL that lies beside the test executable and nowhere in the system
// folder, as a planted one would: the loader of system DLLs must not find it.

extern "C" __declspec(dllexport) int QuorvinPlantedEntry() { return 42; }
