#include "app/tform1.h"

void TForm1::fillSkinList() {}
void TForm1::Button23Click() {}
void TForm1::Button24Click() {}
void TForm1::ComboBox1Change(int) {}
