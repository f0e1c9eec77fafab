// The yardstick of the cold-start benchmark: an empty QDialog of a given size
// (the console's window), shown as the console shows its window. With a third
// argument it shows that text in one label: the cost of drawing any text at
// all (the font system and its first faces), which the empty dialog never pays.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  if (argc >= 3) dialog.resize(std::atoi(argv[1]), std::atoi(argv[2]));
  if (argc >= 4) (new QLabel(QString::fromUtf8(argv[3]), &dialog))->move(10, 10);
  dialog.show();
  return app.exec();
}
