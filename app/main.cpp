// Starts Brindle: everything else lives in the application windows library.
#include "app/windows/Application.h"

int main(int argc, char** argv) { return brindle::app::runApplication(argc, argv); }
