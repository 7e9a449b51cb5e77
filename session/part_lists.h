#pragma once

#include <QStringList>

// The choices the main window offers first, in this order. Users may type any other id.
inline const QStringList DeviceIds = {
    QStringLiteral("c128"), QStringLiteral("pwm2"), QStringLiteral("pwm3"), QStringLiteral("1200"),
    QStringLiteral("2313"), QStringLiteral("2333"), QStringLiteral("2343"), QStringLiteral("4414"),
    QStringLiteral("4433"), QStringLiteral("4434"), QStringLiteral("8515"), QStringLiteral("8535"),
    QStringLiteral("m103"), QStringLiteral("m128"), QStringLiteral("m1280"), QStringLiteral("m1281"),
    QStringLiteral("m16"), QStringLiteral("m161"), QStringLiteral("m162"), QStringLiteral("m163"),
    QStringLiteral("m164"), QStringLiteral("m168"), QStringLiteral("m169"), QStringLiteral("m2560"),
    QStringLiteral("m2561"), QStringLiteral("m32"), QStringLiteral("m324"), QStringLiteral("m329"),
    QStringLiteral("m3290"), QStringLiteral("m48"), QStringLiteral("m64"), QStringLiteral("m640"),
    QStringLiteral("m644"), QStringLiteral("m649"), QStringLiteral("m6490"), QStringLiteral("m8"),
    QStringLiteral("m8515"), QStringLiteral("m8535"), QStringLiteral("m88"), QStringLiteral("t12"),
    QStringLiteral("t13"), QStringLiteral("t15"), QStringLiteral("t2313"), QStringLiteral("t25"),
    QStringLiteral("t26"), QStringLiteral("t45"), QStringLiteral("t85"),
};

inline const QStringList ProgrammerIds = {
    QStringLiteral("par"), QStringLiteral("stk500"), QStringLiteral("stk500v2"), QStringLiteral("stk500pp"),
    QStringLiteral("stk500hvsp"), QStringLiteral("stk500generic"), QStringLiteral("avr910"),
    QStringLiteral("butterfly"), QStringLiteral("usbasp"), QStringLiteral("jtagmki"), QStringLiteral("jtagmkii"),
    QStringLiteral("jtagmkii_isp"), QStringLiteral("jtagmkii_dw"), QStringLiteral("dragon_dw"),
    QStringLiteral("dragon_jtag"), QStringLiteral("dragon_isp"), QStringLiteral("dragon_pp"),
    QStringLiteral("dragon_hvsp"),
};

inline const QStringList PortIds = {
    QStringLiteral("com1"), QStringLiteral("com2"), QStringLiteral("com3"), QStringLiteral("com4"),
    QStringLiteral("lpt1"), QStringLiteral("lpt2"), QStringLiteral("USB"),
};
