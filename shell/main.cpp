#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget stage;
    stage.setWindowTitle(QStringLiteral("Loravik Kvantira 2 - Algebra"));
    stage.setFixedSize(640, 480);
    stage.show();
    return app.exec();
}
