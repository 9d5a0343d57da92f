<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>BQM</name>
    <message>
        <source>MIN</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>LSB MIN</source>
        <translation>LSB 最小</translation>
    </message>
    <message>
        <source>MSB MIN</source>
        <translation>MSB 最小</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>CHN TOUCH</source>
        <translation>通道触后</translation>
    </message>
    <message>
        <source>PITCH BEND</source>
        <translation>弯音</translation>
    </message>
    <message>
        <source>Message type</source>
        <translation>消息类型</translation>
    </message>
</context>
<context>
    <name>ColorDialog</name>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>ColorSet</name>
    <message>
        <source>Set Color</source>
        <translation>设置颜色</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>Compare With Hardware</source>
        <translation>与硬件比较</translation>
    </message>
    <message>
        <source>The controller holds the same configuration as the editor.</source>
        <translation>控制器中的配置与编辑器中的相同。</translation>
    </message>
    <message numerus="yes">
        <source>%n field(s) differ between the editor and the controller:</source>
        <translation>
            <numerusform>编辑器与控制器之间有 %n 个字段不同：</numerusform>
        </translation>
    </message>
    <message>
        <source>Take The Hardware&apos;s Values</source>
        <translation>采用硬件的数值</translation>
    </message>
    <message>
        <source>Send The Editor&apos;s Values</source>
        <translation>发送编辑器的数值</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>ConnectState</name>
    <message>
        <source>No device found</source>
        <translation>未检测到设备</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>设备已连接</translation>
    </message>
</context>
<context>
    <name>CusButtonState</name>
    <message>
        <source>Momentary</source>
        <translation>瞬时</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>切换</translation>
    </message>
</context>
<context>
    <name>CusTabButton</name>
    <message>
        <source>BANK A</source>
        <translation>A 组</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>A firmware update is already running.</source>
        <translation>固件更新正在进行中。</translation>
    </message>
    <message>
        <source>The serial port name of the device was not found</source>
        <translation type="vanished">未找到设备的串口</translation>
    </message>
    <message>
        <source>Failed to open the serial port!</source>
        <translation type="vanished">无法打开串口！</translation>
    </message>
</context>
<context>
    <name>FuncItem1StateBtn</name>
    <message>
        <source>Moment</source>
        <translation>瞬时</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>切换</translation>
    </message>
</context>
<context>
    <name>FuncItemSort</name>
    <message>
        <source>With Values</source>
        <translation>数值顺序</translation>
    </message>
    <message>
        <source>Asc</source>
        <translation>升序</translation>
    </message>
    <message>
        <source>Des</source>
        <translation>降序</translation>
    </message>
</context>
<context>
    <name>FunctionDialog</name>
    <message>
        <source>Auto Populate</source>
        <translation>自动填充</translation>
    </message>
    <message>
        <source>KNOBs</source>
        <translation>旋钮</translation>
    </message>
    <message>
        <source>PADs</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>Pressure Threshold</source>
        <translation>力度阈值</translation>
    </message>
    <message>
        <source>Luminance</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>CC range starting at</source>
        <translation>CC 起始编号</translation>
    </message>
    <message>
        <source>Set CC Min</source>
        <translation>设置 CC 最小值</translation>
    </message>
    <message>
        <source>Set CC Max</source>
        <translation>设置 CC 最大值</translation>
    </message>
    <message>
        <source>Set CC CH</source>
        <translation>设置 CC 通道</translation>
    </message>
    <message>
        <source>Set CHN TOUCH Min</source>
        <translation>设置通道触后最小值</translation>
    </message>
    <message>
        <source>Set CHN TOUCH Max</source>
        <translation>设置通道触后最大值</translation>
    </message>
    <message>
        <source>Set CHN TOUCH CH</source>
        <translation>设置通道触后通道</translation>
    </message>
    <message>
        <source>Set PITCH BEND LSB Min</source>
        <translation>设置弯音 LSB 最小值</translation>
    </message>
    <message>
        <source>Set PITCH BEND LSB Max</source>
        <translation>设置弯音 LSB 最大值</translation>
    </message>
    <message>
        <source>Set PITCH BEND MSB Min</source>
        <translation>设置弯音 MSB 最小值</translation>
    </message>
    <message>
        <source>Set PITCH BEND MSB Max</source>
        <translation>设置弯音 MSB 最大值</translation>
    </message>
    <message>
        <source>Set PITCH BEND CH</source>
        <translation>设置弯音通道</translation>
    </message>
    <message>
        <source>Set CC Type</source>
        <translation>设置 CC 类型</translation>
    </message>
    <message>
        <source>NOTE range starting at</source>
        <translation>音符起始编号</translation>
    </message>
    <message>
        <source>Set NOTE CH</source>
        <translation>设置音符通道</translation>
    </message>
    <message>
        <source>PC range starting at</source>
        <translation>PC 起始编号</translation>
    </message>
    <message>
        <source>Set PC CH</source>
        <translation>设置 PC 通道</translation>
    </message>
    <message>
        <source>Full Level</source>
        <translation>满力度值</translation>
    </message>
    <message>
        <source>Velocity Curve</source>
        <translation>力度曲线</translation>
    </message>
    <message>
        <source>FULL</source>
        <translation>全力度</translation>
    </message>
    <message>
        <source>LO</source>
        <translation>柔软</translation>
    </message>
    <message>
        <source>LINEAR</source>
        <translation>中等</translation>
    </message>
    <message>
        <source>EXP</source>
        <translation>强硬</translation>
    </message>
    <message>
        <source>Apply to BANK A</source>
        <translation>应用到 A 组</translation>
    </message>
    <message>
        <source>Apply to BANK B</source>
        <translation>应用到 B 组</translation>
    </message>
    <message>
        <source>Apply to BANK C</source>
        <translation>应用到 C 组</translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="vanished">关闭</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Kovela PC Control Windows OS</source>
        <translation>Kovela PC控制面板 Win客户端</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>固件：</translation>
    </message>
    <message>
        <source>firmware updates</source>
        <translation>固件升级</translation>
    </message>
    <message>
        <source>SUPPORT CENTER</source>
        <translation>支持中心</translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <source>BANK A</source>
        <translation>A 组</translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation>B 组</translation>
    </message>
    <message>
        <source>BANK C</source>
        <translation>C 组</translation>
    </message>
    <message>
        <source>SEND TO HARDWARE</source>
        <translation>发送到硬件</translation>
    </message>
    <message>
        <source>GET FROM HARDWARE</source>
        <translation>从硬件读取</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Error prompt</source>
        <translation>错误提示</translation>
    </message>
    <message>
        <source>The current device is occupied</source>
        <translation>当前设备被占用</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>stm (*.stm)</source>
        <translation>stm (*.stm)</translation>
    </message>
    <message>
        <source>The MIDI ports of the Kovela Tark9 were not found; nothing was sent.</source>
        <translation>未找到 Kovela Tark9 的 MIDI 端口，未发送任何内容。</translation>
    </message>
    <message>
        <source>The Kovela Tark9 took no data for %1 seconds; the send was given up.</source>
        <translation>Kovela Tark9 在 %1 秒内未接收数据，已放弃发送。</translation>
    </message>
    <message>
        <source>its reply was broken at byte %1</source>
        <translation>它的回复在第 %1 字节处损坏</translation>
    </message>
    <message>
        <source>it did not answer within %1 seconds</source>
        <translation>它在 %1 秒内没有应答</translation>
    </message>
    <message>
        <source>The configuration was sent, but it could not be read back to check it: %1.</source>
        <translation>配置已发送，但无法读回进行核对：%1。</translation>
    </message>
    <message>
        <source>The configuration of the Kovela Tark9 could not be read for the comparison: %1.</source>
        <translation>无法读取 Kovela Tark9 的配置进行比较：%1。</translation>
    </message>
    <message>
        <source>The Kovela Tark9 did not keep the configuration as it was sent:
%1</source>
        <translation>Kovela Tark9 保存的配置与发送的不一致：
%1</translation>
    </message>
    <message>
        <source>%1: editor %2, controller %3</source>
        <translation>%1：编辑器 %2，控制器 %3</translation>
    </message>
    <message>
        <source>The preset %1 is no longer there; it was taken off the recent presets.</source>
        <translation>预设 %1 已不存在，已从最近使用的预设中移除。</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存的更改</translation>
    </message>
    <message>
        <source>The configuration has changes that are not saved in a preset. Save them first?</source>
        <translation>配置有尚未保存到预设的更改。是否先保存？</translation>
    </message>
    <message>
        <source>no Kovela Tark9 is connected</source>
        <translation>未连接 Kovela Tark9</translation>
    </message>
    <message>
        <source>the Kovela Tark9 was unplugged</source>
        <translation>Kovela Tark9 已被拔出</translation>
    </message>
</context>
<context>
    <name>MyFtp</name>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>请先连接设备</source>
        <translation>请先连接设备</translation>
    </message>
    <message>
        <source>获取当前版本号失败</source>
        <translation>获取当前版本号失败</translation>
    </message>
    <message>
        <source>No firmware image is known yet; check for a new version first.</source>
        <translation>尚无可用的固件，请先检查新版本。</translation>
    </message>
    <message>
        <source>The firmware image cannot be saved as %1.</source>
        <translation>无法将固件保存为 %1。</translation>
    </message>
    <message>
        <source>The firmware server refused the connection.</source>
        <translation>固件服务器拒绝了连接。</translation>
    </message>
    <message>
        <source>The firmware server was not found.</source>
        <translation>找不到固件服务器。</translation>
    </message>
    <message>
        <source>The firmware server did not accept the login.</source>
        <translation>固件服务器拒绝了登录。</translation>
    </message>
    <message>
        <source>The firmware server stopped answering.</source>
        <translation>固件服务器没有响应。</translation>
    </message>
    <message>
        <source>The file is not on the firmware server.</source>
        <translation>固件服务器上没有该文件。</translation>
    </message>
    <message>
        <source>The transfer from the firmware server failed (%1).</source>
        <translation>从固件服务器下载失败（%1）。</translation>
    </message>
    <message>
        <source>The firmware image could not be saved completely.</source>
        <translation>固件未能完整保存。</translation>
    </message>
    <message>
        <source>The firmware server did not report the size of the image.</source>
        <translation type="vanished">固件服务器未提供固件大小。</translation>
    </message>
    <message>
        <source>The firmware image is incomplete: %1 of %2 bytes arrived.</source>
        <translation>固件不完整：%2 字节中只收到 %1 字节。</translation>
    </message>
    <message>
        <source>The firmware image is empty.</source>
        <translation>固件文件为空。</translation>
    </message>
    <message>
        <source>The firmware image does not match its checksum.</source>
        <translation>固件与其校验值不符。</translation>
    </message>
    <message>
        <source>A firmware update is running; try again when it has ended.</source>
        <translation type="vanished">固件升级正在进行，请在结束后再试。</translation>
    </message>
    <message>
        <source>The firmware image has %1 bytes, but the catalogue announces %2.</source>
        <translation type="vanished">固件有 %1 字节，但目录中标明为 %2 字节。</translation>
    </message>
</context>
<context>
    <name>MyMenuBar</name>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Send To Hardware</source>
        <translation>发送到硬件</translation>
    </message>
    <message>
        <source>Get From Hardware</source>
        <translation>从硬件读取</translation>
    </message>
    <message>
        <source>Restore The Default</source>
        <translation>恢复默认设置</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Auto Populate</source>
        <translation>自动填充</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Open Userguide   Ctrl+H</source>
        <translation>打开用户手册   Ctrl+H</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Recent Presets</source>
        <translation>最近使用的预设</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Compare With Hardware</source>
        <translation>与硬件比较</translation>
    </message>
</context>
<context>
    <name>PadKey</name>
    <message>
        <source>KEY</source>
        <translation>音符</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Message type</source>
        <translation>消息类型</translation>
    </message>
</context>
<context>
    <name>PresetFile</name>
    <message>
        <source>The preset could not be saved to %1: %2</source>
        <translation>无法将预设保存到 %1：%2</translation>
    </message>
    <message>
        <source>The preset %1 could not be opened: %2</source>
        <translation>无法打开预设 %1：%2</translation>
    </message>
    <message>
        <source>%1 holds no complete configuration; nothing was loaded.</source>
        <translation>%1 中没有完整的配置，未载入任何内容。</translation>
    </message>
    <message>
        <source>%1 is not a valid preset (byte %2 is out of range); nothing was loaded.</source>
        <translation>%1 不是有效的预设文件（第 %2 个字节超出范围），未载入任何内容。</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>检测到新的固件版本，请确认是否升级</source>
        <translation>检测到新的固件版本，请确认是否升级</translation>
    </message>
    <message>
        <source>当前已是最新版本，无需升级</source>
        <translation>当前已是最新版本，无需升级</translation>
    </message>
    <message>
        <source>当前已是最新版本，无需升级!</source>
        <translation>当前已是最新版本，无需升级！</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>固件升级</translation>
    </message>
    <message>
        <source>固件名称:</source>
        <translation>固件名称：</translation>
    </message>
    <message>
        <source>版本号:</source>
        <translation>版本号：</translation>
    </message>
    <message>
        <source>固件升级成功！</source>
        <translation>固件升级成功！</translation>
    </message>
    <message>
        <source>固件升级失败！</source>
        <translation>固件升级失败！</translation>
    </message>
    <message>
        <source>正在下载固件…</source>
        <translation>正在下载固件…</translation>
    </message>
    <message>
        <source>正在升级固件，请勿断开设备…</source>
        <translation>正在升级固件，请勿断开设备…</translation>
    </message>
</context>
<context>
    <name>ScaledDialog</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>Trans</name>
    <message>
        <source>TargetLanguage</source>
        <translation>简体中文</translation>
    </message>
</context>
<context>
    <name>WalkingBelt</name>
    <message>
        <source>#</source>
        <translation>#</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Message type</source>
        <translation>消息类型</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Succeeded in sending data</source>
        <translation>数据发送成功</translation>
    </message>
    <message>
        <source>Getting data succeeded</source>
        <translation>数据读取成功</translation>
    </message>
    <message>
        <source>Failed to send data</source>
        <translation>数据发送失败</translation>
    </message>
    <message>
        <source>Failed to get data</source>
        <translation>数据读取失败</translation>
    </message>
    <message>
        <source>The user guide could not be opened</source>
        <translation>无法打开用户手册</translation>
    </message>
</context>
</TS>
