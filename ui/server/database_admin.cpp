#include "app/tform1.h"

void TForm1::Button3Click() {}
void TForm1::Button4Click() {}
void TForm1::Button5Click() {}
