// A DLL with a name no system DLL has, planted beside the test programs.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedValue() { return 42; }
