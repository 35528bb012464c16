#include "fonts.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutions() {
    const QStringList latinFirst{"DejaVu Sans", "Liberation Sans", "WenQuanYi Zen Hei",
                                 "Noto Sans CJK SC"};
    const QStringList cjkFirst{"WenQuanYi Zen Hei", "Noto Sans CJK SC", "Noto Serif CJK SC",
                               "DejaVu Sans"};
    QFont::insertSubstitutions("MS Sans Serif", latinFirst);
    QFont::insertSubstitutions(QString::fromUtf8("宋体"), cjkFirst);
    QFont::insertSubstitutions("SimSun", cjkFirst);
}
