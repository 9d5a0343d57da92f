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
        <translation type="vanished">消息类型</translation>
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
    <name>ConnectionCheck</name>
    <message>
        <source>MIDI system</source>
        <translation>MIDI 系统</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>%1 opens</source>
        <translation>%1 可以打开</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: %1 does not exist</source>
        <translation>无法打开 MIDI 系统：%1 不存在</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: %1: permission denied</source>
        <translation>无法打开 MIDI 系统：%1：权限不足</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: %1: %2</source>
        <translation>无法打开 MIDI 系统：%1：%2</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>Controller&apos;s MIDI ports</source>
        <translation>控制器的 MIDI 端口</translation>
    </message>
    <message>
        <source>not looked for: the MIDI system cannot be opened</source>
        <translation>未查找：无法打开 MIDI 系统</translation>
    </message>
    <message>
        <source>found by the name &quot;%1&quot;: input %2, output %3</source>
        <translation>已按名称“%1”找到：输入 %2，输出 %3</translation>
    </message>
    <message>
        <source>not there: the controller is in its boot loader</source>
        <translation>不存在：控制器处于引导程序模式</translation>
    </message>
    <message>
        <source>no MIDI port is named &quot;%1&quot;; there are no MIDI ports at all</source>
        <translation>没有名为“%1”的 MIDI 端口；系统中没有任何 MIDI 端口</translation>
    </message>
    <message>
        <source>no MIDI port is named &quot;%1&quot;; the ports are %2</source>
        <translation>没有名为“%1”的 MIDI 端口；现有端口为 %2</translation>
    </message>
    <message>
        <source>Connect the controller with a USB data cable (not a charging-only one), directly or through a powered hub, and switch it on.</source>
        <translation>请用 USB 数据线（不是仅充电线）直接或通过有源集线器连接控制器，并打开电源。</translation>
    </message>
    <message>
        <source>Boot loader&apos;s serial port</source>
        <translation>引导程序的串口</translation>
    </message>
    <message>
        <source>not there (it appears only while the firmware is updated)</source>
        <translation>不存在（仅在更新固件时出现）</translation>
    </message>
    <message>
        <source>%1, readable and writable by this user</source>
        <translation>%1，当前用户可读写</translation>
    </message>
    <message>
        <source>%1 cannot be opened by this user: permission denied</source>
        <translation>当前用户无法打开 %1：权限不足</translation>
    </message>
    <message>
        <source>Install the rule %1 (see the README), then unplug the controller and plug it in again.</source>
        <translation>请安装规则 %1（见 README），然后拔下控制器再重新插上。</translation>
    </message>
    <message>
        <source>Log in at the computer&apos;s own seat, or add your user to the group that owns %1.</source>
        <translation>请在本机座席登录，或把您的用户加入拥有 %1 的用户组。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>Close the other program that uses this port (a terminal program, another editor), then try again.</source>
        <translation>请关闭正在使用此端口的其他程序（终端程序、另一个编辑器），然后重试。</translation>
    </message>
    <message>
        <source>Access rule for the boot loader</source>
        <translation>引导程序的访问规则</translation>
    </message>
    <message>
        <source>%1 is installed</source>
        <translation>%1 已安装</translation>
    </message>
    <message>
        <source>%1 is not installed: only root can update the firmware</source>
        <translation>%1 未安装：只有 root 能更新固件</translation>
    </message>
    <message>
        <source>Install it as the README says (sudo install -m 644 %1 /etc/udev/rules.d/).</source>
        <translation>请按 README 安装（sudo install -m 644 %1 /etc/udev/rules.d/）。</translation>
    </message>
    <message>
        <source>Editor instance</source>
        <translation>编辑器实例</translation>
    </message>
    <message>
        <source>no editor runs</source>
        <translation>没有编辑器在运行</translation>
    </message>
    <message>
        <source>this editor (process %1) holds the single-instance lock</source>
        <translation>本编辑器（进程 %1）持有单实例锁</translation>
    </message>
    <message>
        <source>an editor runs (process %1) and holds the single-instance lock; it talks to the controller whenever it is connected</source>
        <translation>有一个编辑器正在运行（进程 %1）并持有单实例锁；控制器连接时它会与之通信</translation>
    </message>
    <message>
        <source>Use that window, or close it before another program talks to the controller.</source>
        <translation>请使用那个窗口，或在其他程序与控制器通信前关闭它。</translation>
    </message>
    <message>
        <source>Log and settings</source>
        <translation>日志和设置</translation>
    </message>
    <message>
        <source>log in %1; settings in %2</source>
        <translation>日志位于 %1；设置位于 %2</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>不存在</translation>
    </message>
    <message>
        <source>note</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Load the sequencer (sudo modprobe snd-seq) and start again, or use --virtual-device.</source>
        <translation>请加载音序器（sudo modprobe snd-seq）后重启，或使用 --virtual-device。</translation>
    </message>
    <message>
        <source>Join the audio group (sudo usermod -aG audio $USER) and log in again.</source>
        <translation>请加入 audio 组（sudo usermod -aG audio $USER）并重新登录。</translation>
    </message>
    <message>
        <source>Check the sound support (aplay -l lists its devices), then start again.</source>
        <translation>请检查声音支持（aplay -l 会列出设备），然后重启。</translation>
    </message>
</context>
<context>
    <name>ConnectionCheckDialog</name>
    <message>
        <source>Connection Check</source>
        <translation>连接检查</translation>
    </message>
    <message>
        <source>Every link works: the editor can reach the controller.</source>
        <translation>所有环节正常：编辑器可以连接控制器。</translation>
    </message>
    <message>
        <source>The controller was not found.</source>
        <translation>未找到控制器。</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: no controller can be reached.</source>
        <translation>无法打开 MIDI 系统：无法连接任何控制器。</translation>
    </message>
    <message>
        <source>The boot loader&apos;s port cannot be opened by this user.</source>
        <translation>当前用户无法打开引导程序的端口。</translation>
    </message>
    <message>
        <source>Check Again</source>
        <translation>重新检查</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
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
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The Kovela Tark9&apos;s configuration holds values this editor does not know (a newer firmware?). They are kept as they are and sent back unchanged unless you edit them:
%1</source>
        <translation>Kovela Tark9 的配置中有本编辑器不认识的值（可能来自较新的固件）。这些值保持原样，除非您修改，否则会原样发回：
%1</translation>
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
        <translation type="vanished">无法将固件保存为 %1。</translation>
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
        <translation type="vanished">固件未能完整保存。</translation>
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
        <source>The firmware image cannot be saved as %1: %2</source>
        <translation>无法将固件保存为 %1：%2</translation>
    </message>
    <message>
        <source>The firmware server did not send the catalogue within %1 seconds.</source>
        <translation>固件服务器未在 %1 秒内发来固件目录。</translation>
    </message>
    <message>
        <source>The firmware server sent more than %1 KiB for its catalogue, far more than a catalogue can be.</source>
        <translation>固件服务器发来的固件目录超过 %1 KiB，远大于固件目录应有的大小。</translation>
    </message>
    <message>
        <source>The firmware image is larger than %1 bytes, the most accepted when the catalogue gives no size.</source>
        <translation>固件大于 %1 字节，这是固件目录未给出大小时允许的上限。</translation>
    </message>
    <message>
        <source>The firmware image is larger than the %1 bytes expected.</source>
        <translation>固件大于预期的 %1 字节。</translation>
    </message>
    <message>
        <source>The firmware image (%1 bytes) could not be verified: neither the server nor the catalogue gives its size or checksum, so an image cut short would not be noticed. Flash it anyway?</source>
        <translation>固件（%1 字节）无法校验：服务器和固件目录都没有给出其大小或校验值，固件若不完整也无法发现。仍要升级吗？</translation>
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
    <message>
        <source>Connection Check</source>
        <translation>连接检查</translation>
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
        <translation type="vanished">消息类型</translation>
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
    <message>
        <source>%1 is not a valid preset: %2; nothing was loaded.</source>
        <translation>%1 不是有效的预设文件：%2；未载入任何内容。</translation>
    </message>
    <message>
        <source>it is not a regular file (a folder, a device or a FIFO) and was left as it is</source>
        <translation>它不是普通文件（而是文件夹、设备或 FIFO），已保持原样</translation>
    </message>
    <message>
        <source>Standard input could not be read: %1</source>
        <translation>无法读取标准输入：%1</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>标准输入</translation>
    </message>
    <message>
        <source>The preset %1 could not be opened: it is not a regular file (a folder, a device or a FIFO).</source>
        <translation>无法打开预设 %1：它不是普通文件（而是文件夹、设备或 FIFO）。</translation>
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
    <message>
        <source>固件检测失败！</source>
        <translation>固件检测失败！</translation>
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
    <name>TypeBar</name>
    <message>
        <source>Message type</source>
        <translation>消息类型</translation>
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
        <translation type="vanished">消息类型</translation>
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
