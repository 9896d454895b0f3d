// Runs the Qt tests inside one application object, as the toolkit requires.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
