import QtQuick 2.15
import BaseControl 1.0

// The number box of the batch rows: light, on a light dialog.
CusInput {
    width: 48
    height: 16
    color: CusConfig.colorTitle
    textColor: CusConfig.colorBorderInput
}
