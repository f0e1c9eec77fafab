// The yardstick of the cold-start benchmark: an empty QDialog of a given size
// (the console's window), shown as the console shows its window.
#include <QApplication>
#include <QDialog>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  if (argc == 3) dialog.resize(std::atoi(argv[1]), std::atoi(argv[2]));
  dialog.show();
  return app.exec();
}
