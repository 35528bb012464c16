// The label sizes itself to its caption unless AutoSize is off.

#include "ti_label.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

TEST(Label, AutoSizeFollowsCaptionAndFont) {
    TiLabel label;
    label.setCaption("MAX");
    const QSize small = label.size();
    EXPECT_EQ(small.width(), QFontMetrics(label.font()).horizontalAdvance("MAX"));
    label.setCaption("MAXIMUM");
    EXPECT_GT(label.width(), small.width());
    QFont big = label.font();
    big.setPixelSize(40);
    label.setFont(big);
    EXPECT_EQ(label.size(),
              QSize(QFontMetrics(big).horizontalAdvance("MAXIMUM"), QFontMetrics(big).height()));
}

TEST(Label, WithoutAutoSizeKeepsItsGeometry) {
    TiLabel label;
    label.setAutoSize(false);
    label.resize(78, 19);
    label.setCaption("a much longer caption than fits");
    EXPECT_EQ(label.size(), QSize(78, 19));
}
