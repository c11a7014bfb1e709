#include "app/tform1.h"

void TForm1::readSettings() {}
void TForm1::Button1Click() {}
