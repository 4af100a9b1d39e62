#include "app/applet.h"

void composeFrame() {}
