// main.cpp
// The krondel program: all of it happens in KrondelMain.
#include "app/krondel_main.h"

int main(int argc, char** argv) { return KrondelMain(argc, argv); }
