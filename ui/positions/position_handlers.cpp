#include "app/tform1.h"

void TForm1::Button6Click() {}
void TForm1::GetJobList() {}
void TForm1::ListView1SelectItem(QTreeWidgetItem*, bool) {}
void TForm1::Button8Click() {}
void TForm1::Button9Click() {}
void TForm1::Button10Click() {}
void TForm1::Button11Click() {}
void TForm1::Button12Click() {}
void TForm1::Button13Click() {}
void TForm1::Button14Click() {}
