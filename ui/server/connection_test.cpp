#include "app/tform1.h"

void TForm1::Button2Click() {}
