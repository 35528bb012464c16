// The design names of the properties, as the window and the property system see them.
#include "tcomm.h"

#include <QVariant>
#include <gtest/gtest.h>

TEST(TCommProperties, ExistUnderTheirDesignNamesWithTheComponentsDefaults) {
    using T = TComm;
    const struct {
        const char* name;
        QVariant value;
    } cases[] = {
        {"CommName", QStringLiteral("COM4")},
        {"BaudRate", QVariant::fromValue<quint32>(19200)},
        {"ByteSize", QVariant::fromValue(T::TByteSize::_8)},
        {"Parity", QVariant::fromValue(T::TParity::None)},
        {"StopBits", QVariant::fromValue(T::TStopBits::_1)},
        {"ParityCheck", false},
        {"Outx_CtsFlow", false},
        {"Outx_DsrFlow", false},
        {"DtrControl", QVariant::fromValue(T::TDtrControl::DtrEnable)},
        {"DsrSensitivity", false},
        {"TxContinueOnXoff", true},
        {"Outx_XonXoffFlow", false},
        {"Inx_XonXoffFlow", false},
        {"ReplaceWhenParityError", false},
        {"IgnoreNullChar", false},
        {"RtsControl", QVariant::fromValue(T::TRtsControl::RtsDisable)},
        {"XonLimit", QVariant::fromValue<quint16>(500)},
        {"XoffLimit", QVariant::fromValue<quint16>(500)},
        {"XonChar", QVariant::fromValue<char>(17)},
        {"XoffChar", QVariant::fromValue<char>(19)},
        {"ReplacedChar", QVariant::fromValue<char>(0)},
        {"ReadIntervalTimeout", QVariant::fromValue<quint32>(100)},
        {"ReadTotalTimeoutMultiplier", QVariant::fromValue<quint32>(0)},
        {"ReadTotalTimeoutConstant", QVariant::fromValue<quint32>(0)},
        {"WriteTotalTimeoutMultiplier", QVariant::fromValue<quint32>(0)},
        {"WriteTotalTimeoutConstant", QVariant::fromValue<quint32>(0)},
    };
    TComm comm;
    for (const auto& c : cases) {
        const QVariant got = comm.property(c.name);
        ASSERT_TRUE(got.isValid()) << "no property " << c.name;
        EXPECT_EQ(got.metaType(), c.value.metaType()) << c.name;
        EXPECT_EQ(got, c.value) << c.name;
    }
    EXPECT_FALSE(comm.isOpen());
}

TEST(TCommProperties, StoreWhatIsWrittenThroughThePropertySystem) {
    TComm comm;
    ASSERT_TRUE(comm.setProperty("Parity", QVariant::fromValue(TComm::TParity::Even)));
    ASSERT_TRUE(comm.setProperty("BaudRate", QVariant::fromValue<quint32>(38400)));
    ASSERT_TRUE(comm.setProperty("CommName", QStringLiteral("COM2")));
    EXPECT_EQ(comm.parity(), TComm::TParity::Even);
    EXPECT_EQ(comm.baudRate(), 38400u);
    EXPECT_EQ(comm.commName(), QStringLiteral("COM2"));
}
