#include "app/tform1.h"

void TForm1::Button16Click() {}
void TForm1::Button17Click() {}
void TForm1::Button18Click() {}
void TForm1::Button19Click() {}
void TForm1::Button20Click() {}
void TForm1::Button21Click() {}
void TForm1::Button22Click() {}
