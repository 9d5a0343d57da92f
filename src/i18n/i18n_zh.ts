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
    <name>ControlClipboard</name>
    <message>
        <source>pad</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>knob</source>
        <translation>旋钮</translation>
    </message>
    <message>
        <source>strip section</source>
        <translation>触摸条分区</translation>
    </message>
    <message>
        <source>Click the editor of a pad, knob or strip section first.</source>
        <translation>请先单击打击垫、旋钮或触摸条分区的编辑器。</translation>
    </message>
    <message>
        <source>The %1&apos;s settings are on the clipboard.</source>
        <translation>%1的设置已复制到剪贴板。</translation>
    </message>
    <message>
        <source>The clipboard holds no settings to paste.</source>
        <translation>剪贴板中没有可粘贴的设置。</translation>
    </message>
    <message>
        <source>The clipboard holds no control&apos;s settings: %1.</source>
        <translation>剪贴板中不是控件的设置：%1。</translation>
    </message>
    <message>
        <source>The clipboard holds a %1&apos;s settings, which fit a %1 only, not a %2.</source>
        <translation>剪贴板中是%1的设置，只适用于%1，不适用于%2。</translation>
    </message>
    <message>
        <source>The settings were pasted onto the %1.</source>
        <translation>设置已粘贴到%1上。</translation>
    </message>
    <message>
        <source>Only pads and knobs come in banks.</source>
        <translation>只有打击垫和旋钮分组。</translation>
    </message>
    <message>
        <source>Choose two different banks.</source>
        <translation>请选择两个不同的组。</translation>
    </message>
    <message>
        <source>Bank %1&apos;s pads were copied onto bank %2.</source>
        <translation>%1 组的打击垫已复制到 %2 组。</translation>
    </message>
    <message>
        <source>Bank %1&apos;s knobs were copied onto bank %2.</source>
        <translation>%1 组的旋钮已复制到 %2 组。</translation>
    </message>
</context>
<context>
    <name>ControlMatch</name>
    <message>
        <source>Pad %1, bank %2</source>
        <translation>打击垫 %1，%2 组</translation>
    </message>
    <message>
        <source>Knob %1, bank %2</source>
        <translation>旋钮 %1，%2 组</translation>
    </message>
    <message>
        <source>Strip section %1</source>
        <translation>触摸条第 %1 段</translation>
    </message>
</context>
<context>
    <name>ControlSettings</name>
    <message>
        <source>the control</source>
        <translation>该控件</translation>
    </message>
    <message>
        <source>it is not JSON</source>
        <translation>它不是 JSON</translation>
    </message>
    <message>
        <source>it names no setting of a pad, a knob or a strip section</source>
        <translation>其中没有打击垫、旋钮或触摸条分区的任何设置</translation>
    </message>
</context>
<context>
    <name>ControllerSession</name>
    <message>
        <source>Its reply was broken at byte %1.</source>
        <translation>它的回复在第 %1 字节处损坏。</translation>
    </message>
    <message>
        <source>It did not answer within %1 seconds.</source>
        <translation>它在 %1 秒内没有应答。</translation>
    </message>
    <message>
        <source>The Kovela Tark9 was unplugged.</source>
        <translation>Kovela Tark9 已被拔出。</translation>
    </message>
    <message>
        <source>Error prompt</source>
        <translation>错误提示</translation>
    </message>
    <message>
        <source>The configuration was sent, but it could not be read back to check it.
%1</source>
        <translation>配置已发送，但无法读回进行核对。
%1</translation>
    </message>
    <message>
        <source>The configuration of the Kovela Tark9 could not be read for the comparison.
%1</source>
        <translation>无法读取 Kovela Tark9 的配置进行比较。
%1</translation>
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
        <source>No Kovela Tark9 is connected.</source>
        <translation>未连接 Kovela Tark9。</translation>
    </message>
    <message>
        <source>The MIDI ports of the Kovela Tark9 were not found; nothing was sent.</source>
        <translation>未找到 Kovela Tark9 的 MIDI 端口，未发送任何内容。</translation>
    </message>
    <message>
        <source>The current device is occupied</source>
        <translation>当前设备被占用</translation>
    </message>
    <message>
        <source>The configuration holds a byte outside 0..127; nothing was sent.</source>
        <translation>配置中有超出 0..127 的字节，未发送任何内容。</translation>
    </message>
    <message>
        <source>The MIDI system refused the message.</source>
        <translation>MIDI 系统拒绝了这条消息。</translation>
    </message>
    <message>
        <source>The Kovela Tark9 took no data for %1 seconds; the send was given up.</source>
        <translation>Kovela Tark9 在 %1 秒内未接收数据，已放弃发送。</translation>
    </message>
</context>
<context>
    <name>CopyBankDialog</name>
    <message>
        <source>Copy Bank</source>
        <translation>复制组</translation>
    </message>
    <message>
        <source>Copy the</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>PADS</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>KNOBS</source>
        <translation>旋钮</translation>
    </message>
    <message>
        <source>of bank</source>
        <translation>来源组</translation>
    </message>
    <message>
        <source>onto bank</source>
        <translation>目标组</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
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
    <name>FirmwareBackups</name>
    <message>
        <source>No backup of the controller&apos;s settings was made: the configuration read from it is incomplete or damaged.</source>
        <translation>未备份控制器的设置：从控制器读取的配置不完整或已损坏。</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made: %1 is a file, not a folder.</source>
        <translation>未备份控制器的设置：%1 是文件，而不是文件夹。</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made: the folder %1 cannot be created.</source>
        <translation>未备份控制器的设置：无法创建文件夹 %1。</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made: nothing can be written to the folder %1 (%2).</source>
        <translation>未备份控制器的设置：无法向文件夹 %1 写入任何内容（%2）。</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made. %1</source>
        <translation>未备份控制器的设置。%1</translation>
    </message>
</context>
<context>
    <name>FirmwareCatalogue</name>
    <message>
        <source>it is %1 bytes, the server&apos;s image %2</source>
        <translation>它有 %1 字节，而服务器上的映像有 %2 字节</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>无法读取它（%1）</translation>
    </message>
    <message>
        <source>its checksum is not the server&apos;s image&apos;s</source>
        <translation>它的校验和与服务器上的映像不同</translation>
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
        <translation>未找到设备的串口名称</translation>
    </message>
    <message>
        <source>Failed to open the serial port!</source>
        <translation>打开串口失败！</translation>
    </message>
    <message>
        <source>The firmware update was cancelled.</source>
        <translation>固件更新已取消。</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdateDialog</name>
    <message>
        <source>The controller is in its boot loader</source>
        <translation>控制器处于引导程序中</translation>
    </message>
    <message>
        <source>Update Firmware From File</source>
        <translation>从文件更新固件</translation>
    </message>
    <message>
        <source>Rescue the controller</source>
        <translation>救援控制器</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>固件更新</translation>
    </message>
    <message>
        <source>The Kovela Tark9 is waiting in its boot loader: a firmware update did not finish (the power went, the editor was closed, or the transfer was cancelled), and it works as a MIDI controller again only once it has a whole firmware image. Finish the update with an image; the controller&apos;s settings are then restored from its newest backup.</source>
        <translation>Kovela Tark9 正在引导程序中等待：有一次固件更新没有完成（断电、编辑器被关闭或传输被取消），只有获得完整的固件映像后它才能重新作为 MIDI 控制器工作。请用映像完成更新；之后控制器的设置会从最新的备份恢复。</translation>
    </message>
    <message>
        <source>Newest image downloaded: %1</source>
        <translation>最新下载的映像：%1</translation>
    </message>
    <message>
        <source>No firmware image has been downloaded: choose an image file.</source>
        <translation>尚未下载固件映像：请选择一个映像文件。</translation>
    </message>
    <message>
        <source>The controller is in its boot loader: the image is sent to it, and once it runs again its settings are compared with its newest backup.</source>
        <translation>控制器处于引导程序中：映像将发送给它，它重新运行后，其设置会与最新的备份比较。</translation>
    </message>
    <message>
        <source>The controller&apos;s settings are backed up first. Do not unplug the controller until the update says it is done.</source>
        <translation>首先会备份控制器的设置。在更新提示完成之前，请不要拔下控制器。</translation>
    </message>
    <message>
        <source>Restore my settings after the update</source>
        <translation>更新后恢复我的设置</translation>
    </message>
    <message>
        <source>Rescue</source>
        <translation>救援</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Rescue With %1</source>
        <translation>用 %1 救援</translation>
    </message>
    <message>
        <source>Choose A File...</source>
        <translation>选择文件...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>以后再说</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdater</name>
    <message>
        <source>Update Firmware From File</source>
        <translation>从文件更新固件</translation>
    </message>
    <message>
        <source>Firmware images (*.bin);;All files (*)</source>
        <translation>固件映像 (*.bin);;所有文件 (*)</translation>
    </message>
    <message>
        <source>%1 cannot be sent to the controller: %2.</source>
        <translation>无法将 %1 发送到控制器：%2。</translation>
    </message>
    <message>
        <source>%1 has the name of the firmware server&apos;s image, but is not that image: %2. Download it again, or pick another file.</source>
        <translation>%1 与固件服务器上的映像同名，但并不是那个映像：%2。请重新下载，或选择其他文件。</translation>
    </message>
    <message>
        <source>%1 (%2 bytes) is the firmware server&apos;s image of version %3: its size and checksum match the catalogue&apos;s.</source>
        <translation>%1（%2 字节）是固件服务器上版本 %3 的映像：它的大小和校验和与目录一致。</translation>
    </message>
    <message>
        <source>%1 (%2 bytes) has the name of the firmware server&apos;s image of version %3; the catalogue gives no size or checksum to check it by.</source>
        <translation>%1（%2 字节）与固件服务器上版本 %3 的映像同名；目录中没有可用于核对的大小或校验和。</translation>
    </message>
    <message>
        <source>%1 (%2 bytes). No catalogue of the firmware server is known here, so the file cannot be checked: make sure it is an image for the Kovela Tark9.</source>
        <translation>%1（%2 字节）。这里没有固件服务器的目录，因此无法核对该文件：请确认它是 Kovela Tark9 的映像。</translation>
    </message>
    <message>
        <source>%1 (%2 bytes) is not in the firmware server&apos;s catalogue, so it cannot be checked: make sure it is an image for the Kovela Tark9.</source>
        <translation>%1（%2 字节）不在固件服务器的目录中，因此无法核对：请确认它是 Kovela Tark9 的映像。</translation>
    </message>
    <message>
        <source>%1 of %2 bytes sent, %3 %, about %4 s left</source>
        <translation>已发送 %1 / %2 字节，%3 %，大约还剩 %4 秒</translation>
    </message>
    <message>
        <source>%1 of %2 bytes sent, %3 %</source>
        <translation>已发送 %1 / %2 字节，%3 %</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>固件更新</translation>
    </message>
    <message>
        <source>%1

Go on without a backup?</source>
        <translation>%1

不备份继续吗？</translation>
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
    <name>GuardedUpdate</name>
    <message>
        <source>No controller is connected: there are no MIDI ports named &quot;%1&quot;.</source>
        <translation>未连接控制器：没有名为“%1”的 MIDI 端口。</translation>
    </message>
    <message>
        <source>Another program holds the controller&apos;s MIDI ports; close it and try again.</source>
        <translation>另一个程序占用了控制器的 MIDI 端口；请关闭它后重试。</translation>
    </message>
    <message>
        <source>The configuration holds a byte the controller cannot take.</source>
        <translation>配置中有控制器无法接收的字节。</translation>
    </message>
    <message>
        <source>The MIDI system refused the message.</source>
        <translation>MIDI 系统拒绝了这条消息。</translation>
    </message>
    <message>
        <source>The controller stopped taking data.</source>
        <translation>控制器已停止接收数据。</translation>
    </message>
    <message>
        <source>The controller&apos;s configuration arrived broken (byte %1).</source>
        <translation>收到的控制器配置已损坏（第 %1 字节）。</translation>
    </message>
    <message>
        <source>The controller did not answer.</source>
        <translation>控制器没有应答。</translation>
    </message>
    <message>
        <source>%1 is no firmware image: %2. Nothing was changed on the controller.</source>
        <translation>%1 不是固件映像：%2。控制器上没有任何改动。</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Backing up the settings</source>
        <translation>正在备份设置</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>正在下载</translation>
    </message>
    <message>
        <source>Switching to the boot loader</source>
        <translation>正在切换到引导程序</translation>
    </message>
    <message>
        <source>Transferring</source>
        <translation>正在传输</translation>
    </message>
    <message>
        <source>Waiting for the controller</source>
        <translation>正在等待控制器</translation>
    </message>
    <message>
        <source>Checking the version</source>
        <translation>正在检查版本</translation>
    </message>
    <message>
        <source>Restoring the settings</source>
        <translation>正在恢复设置</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>正在核对</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>它是一个文件夹</translation>
    </message>
    <message>
        <source>it is not a regular file (a device, FIFO or socket)</source>
        <translation>它不是普通文件（而是设备、FIFO 或套接字）</translation>
    </message>
    <message>
        <source>it cannot be read (no permission)</source>
        <translation>无法读取它（没有权限）</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>它是空的</translation>
    </message>
    <message>
        <source>it is %1 bytes, and the boot loader takes at most %2</source>
        <translation>它有 %1 字节，而引导程序最多接收 %2 字节</translation>
    </message>
    <message>
        <source>The controller&apos;s configuration arrived cut short (%1 of %2 bytes).</source>
        <translation>收到的控制器配置不完整（%2 字节中只有 %1 字节）。</translation>
    </message>
    <message>
        <source>%1 Nothing was changed on the controller.</source>
        <translation>%1 控制器上没有任何改动。</translation>
    </message>
    <message>
        <source>The controller&apos;s settings could not be read for a backup: %1 Without a backup, settings that the new firmware resets cannot be restored.</source>
        <translation>无法读取控制器的设置进行备份：%1 没有备份，新固件重置的设置将无法恢复。</translation>
    </message>
    <message>
        <source>The image was sent, but the controller&apos;s version could not be read: %1 Unplug the controller, plug it in again and read its serial number and version.</source>
        <translation>映像已发送，但无法读取控制器的版本：%1 请拔下控制器，重新插入，再读取它的序列号和版本。</translation>
    </message>
    <message>
        <source>The settings were sent back, but could not be read back to check them: %1 Read the controller&apos;s configuration and compare it with the backup %2.</source>
        <translation>设置已发回，但无法读回进行核对：%1 请读取控制器的配置，并与备份 %2 比较。</translation>
    </message>
    <message>
        <source>The update was stopped before anything changed on the controller: its settings could not be backed up. %1</source>
        <translation>更新在控制器发生任何改变之前已停止：无法备份它的设置。%1</translation>
    </message>
    <message>
        <source>%1 The update was stopped before anything changed on the controller: make room on the disk (or let that folder be written) and start it again.</source>
        <translation>%1 更新在控制器发生任何改变之前已停止：请腾出磁盘空间（或允许写入该文件夹）后重新开始。</translation>
    </message>
    <message>
        <source>The controller could not be switched to its boot loader: %1 Nothing was changed on the controller.</source>
        <translation>无法将控制器切换到引导程序：%1 控制器上没有任何改动。</translation>
    </message>
    <message>
        <source>The controller stays in its boot loader: rescue it with a firmware image (the newest downloaded one, or a file), and its settings are restored from its newest backup.</source>
        <translation>控制器停留在引导程序中：请用固件映像（最新下载的或某个文件）救援它，它的设置会从最新的备份恢复。</translation>
    </message>
    <message>
        <source>The rescue was cancelled before the transfer; the controller is still in its boot loader.</source>
        <translation>救援在传输前已取消，控制器仍处于引导程序中。</translation>
    </message>
    <message>
        <source>The update was cancelled before anything changed on the controller.</source>
        <translation>更新在控制器发生任何改变之前已取消。</translation>
    </message>
    <message>
        <source>The update was cancelled during the transfer. %1</source>
        <translation>更新在传输过程中被取消。%1</translation>
    </message>
    <message>
        <source>The boot loader stopped answering during the transfer. %1</source>
        <translation>引导程序在传输过程中停止了应答。%1</translation>
    </message>
    <message>
        <source>The boot loader cancelled the transfer. %1</source>
        <translation>引导程序取消了传输。%1</translation>
    </message>
    <message>
        <source>The transfer broke off (the boot loader&apos;s port went away, or the image could not be read). %1</source>
        <translation>传输中断（引导程序的端口消失，或无法读取映像）。%1</translation>
    </message>
    <message>
        <source>The update was cancelled after the controller was switched to its boot loader. %1</source>
        <translation>更新在控制器切换到引导程序之后被取消。%1</translation>
    </message>
    <message>
        <source>There is no serial port %1.</source>
        <translation>没有串口 %1。</translation>
    </message>
    <message>
        <source>No controller in its boot loader was found (serial port %1:%2). A controller that works as a MIDI controller is updated, not rescued.</source>
        <translation>未找到处于引导程序中的控制器（串口 %1:%2）。作为 MIDI 控制器正常工作的控制器应进行更新，而不是救援。</translation>
    </message>
    <message>
        <source>The boot loader&apos;s serial port cannot be opened: another program holds it, or this user may not open it (see the connection check). %1</source>
        <translation>无法打开引导程序的串口：另一个程序占用了它，或当前用户无权打开它（请参阅连接检查）。%1</translation>
    </message>
    <message>
        <source>The controller came back with version %1, expected %2: the new firmware is not running. Check that the image is the version you meant, and update again.</source>
        <translation>控制器重新连接后的版本是 %1，预期为 %2：新固件没有运行。请确认映像是您想要的版本，然后再次更新。</translation>
    </message>
    <message>
        <source>The controller came back with version %1, the version it had before: the new firmware is not running. Update again; to install the version it already has, give that version as the one expected.</source>
        <translation>控制器重新连接后的版本是 %1，与之前相同：新固件没有运行。请再次更新；若要安装它已有的版本，请把该版本指定为预期版本。</translation>
    </message>
    <message>
        <source>The controller runs version %1, but its backup %2 cannot be read. %3 Open a preset of your settings and send it to the controller.</source>
        <translation>控制器运行版本 %1，但无法读取它的备份 %2。%3 请打开您设置的预设并发送到控制器。</translation>
    </message>
    <message>
        <source>The controller runs version %1, but the new firmware reset its settings and they could not be sent back: %2 Open the backup %3 and send it to the controller.</source>
        <translation>控制器运行版本 %1，但新固件重置了它的设置，且无法发回：%2 请打开备份 %3 并发送到控制器。</translation>
    </message>
    <message>
        <source>The controller is rescued: it runs firmware %1.</source>
        <translation>控制器已救援成功：它运行固件 %1。</translation>
    </message>
    <message>
        <source>The firmware update is complete: the controller runs version %1.</source>
        <translation>固件更新完成：控制器运行版本 %1。</translation>
    </message>
    <message>
        <source>Its settings were not compared with the backup (restoring was turned off).</source>
        <translation>它的设置没有与备份比较（恢复已关闭）。</translation>
    </message>
    <message>
        <source>No backup of its settings was found, so they were not checked.</source>
        <translation>没有找到它的设置备份，因此未核对设置。</translation>
    </message>
    <message>
        <source>No backup was taken, so its settings were not checked.</source>
        <translation>没有进行备份，因此未核对它的设置。</translation>
    </message>
    <message>
        <source>Its settings are the ones in the backup.</source>
        <translation>它的设置与备份中的一致。</translation>
    </message>
    <message>
        <source>The controller did not answer within %1 s.</source>
        <translation>控制器在 %1 秒内没有应答。</translation>
    </message>
    <message>
        <source>The controller&apos;s boot loader did not appear within %1 s of the switch. Unplug the controller and plug it in again; if it then shows up in its boot loader, rescue it.</source>
        <translation>切换后 %1 秒内未出现控制器的引导程序。请拔下控制器再重新插入；如果它随后出现在引导程序中，请救援它。</translation>
    </message>
    <message>
        <source>The image was sent, but the controller did not come back as a MIDI controller within %1 s. If it shows up in its boot loader, rescue it; otherwise unplug it, plug it in again and read its version.</source>
        <translation>映像已发送，但控制器在 %1 秒内没有作为 MIDI 控制器重新出现。如果它出现在引导程序中，请救援它；否则请拔下它，重新插入，再读取它的版本。</translation>
    </message>
    <message>
        <source>The controller runs version %1, but after the backup was sent back it holds other settings (%2). Open the backup %3 and send it to the controller again.</source>
        <translation>控制器运行版本 %1，但发回备份后它保存的设置不同（%2）。请打开备份 %3 并再次发送到控制器。</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>以及另外 %1 项</translation>
    </message>
    <message>
        <source>%1 in all: %2</source>
        <translation>共 %1 项：%2</translation>
    </message>
    <message>
        <source>The new firmware had reset its settings; they were restored from the backup and verified (%1).</source>
        <translation>新固件重置了它的设置；设置已从备份恢复并核对（%1）。</translation>
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
        <source>Export MIDI Monitor</source>
        <translation>导出 MIDI 监视器</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>文本 (*.txt)</translation>
    </message>
</context>
<context>
    <name>MidiMessageText</name>
    <message>
        <source>MTC Quarter Frame</source>
        <translation>MTC 四分之一帧</translation>
    </message>
    <message>
        <source>Song Position</source>
        <translation>乐曲位置</translation>
    </message>
    <message>
        <source>Song Select</source>
        <translation>乐曲选择</translation>
    </message>
    <message>
        <source>Tune Request</source>
        <translation>调音请求</translation>
    </message>
    <message>
        <source>Timing Clock</source>
        <translation>定时时钟</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Active Sensing</source>
        <translation>活动感知</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>系统复位</translation>
    </message>
    <message>
        <source>SysEx configuration request</source>
        <translation>SysEx 配置请求</translation>
    </message>
    <message>
        <source>SysEx serial number request</source>
        <translation>SysEx 序列号请求</translation>
    </message>
    <message>
        <source>SysEx boot loader request</source>
        <translation>SysEx 引导程序请求</translation>
    </message>
    <message>
        <source>Note On %1 velocity %2</source>
        <translation>音符开 %1，力度 %2</translation>
    </message>
    <message>
        <source>Note Off %1 (Note On with velocity 0)</source>
        <translation>音符关 %1（力度为 0 的音符开）</translation>
    </message>
    <message>
        <source>Note Off %1</source>
        <translation>音符关 %1</translation>
    </message>
    <message>
        <source>Poly Pressure %1 = %2</source>
        <translation>复音触后 %1 = %2</translation>
    </message>
    <message>
        <source>Control Change %1 = %2</source>
        <translation>控制变化 %1 = %2</translation>
    </message>
    <message>
        <source>Program Change %1</source>
        <translation>音色变化 %1</translation>
    </message>
    <message>
        <source>Channel Pressure %1</source>
        <translation>通道触后 %1</translation>
    </message>
    <message>
        <source>Pitch Bend %1</source>
        <translation>弯音 %1</translation>
    </message>
    <message>
        <source>SysEx serial number reply</source>
        <translation>SysEx 序列号应答</translation>
    </message>
    <message>
        <source>SysEx configuration write</source>
        <translation>SysEx 配置写入</translation>
    </message>
    <message>
        <source>SysEx configuration reply</source>
        <translation>SysEx 配置应答</translation>
    </message>
    <message>
        <source>SysEx, %1 bytes</source>
        <translation>SysEx，%1 字节</translation>
    </message>
    <message>
        <source>%1, %2 bytes</source>
        <translation>%1，%2 字节</translation>
    </message>
    <message>
        <source>Unknown: no bytes</source>
        <translation>未知：没有字节</translation>
    </message>
    <message>
        <source>Unknown: %1</source>
        <translation>未知：%1</translation>
    </message>
</context>
<context>
    <name>MidiMonitor</name>
    <message>
        <source>Note On</source>
        <translation>音符开</translation>
    </message>
    <message>
        <source>Note Off</source>
        <translation>音符关</translation>
    </message>
    <message>
        <source>Poly Pressure</source>
        <translation>复音触后</translation>
    </message>
    <message>
        <source>Control Change</source>
        <translation>控制变化</translation>
    </message>
    <message>
        <source>Program Change</source>
        <translation>音色变化</translation>
    </message>
    <message>
        <source>Channel Pressure</source>
        <translation>通道触后</translation>
    </message>
    <message>
        <source>Pitch Bend</source>
        <translation>弯音</translation>
    </message>
    <message>
        <source>SysEx</source>
        <translation>SysEx</translation>
    </message>
    <message>
        <source>System Common</source>
        <translation>系统公共消息</translation>
    </message>
    <message>
        <source>System Real-Time</source>
        <translation>系统实时消息</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>from controller</source>
        <translation>来自控制器</translation>
    </message>
    <message>
        <source>to controller</source>
        <translation>发往控制器</translation>
    </message>
    <message>
        <source>%1, channel %2</source>
        <translation>%1，通道 %2</translation>
    </message>
    <message>
        <source>The monitor&apos;s lines could not be saved to %1: %2</source>
        <translation>无法将监视器的内容保存到 %1：%2</translation>
    </message>
    <message>
        <source>While the monitor is open the editor holds the controller&apos;s MIDI input: other programs, a music program among them, receive nothing from the controller until you close the monitor.</source>
        <translation>监视器打开期间，编辑器占用控制器的 MIDI 输入：在您关闭监视器之前，其他程序（包括音乐软件）收不到控制器发出的任何消息。</translation>
    </message>
    <message>
        <source>it is not a regular file (a folder, a device or a FIFO) and was left as it is</source>
        <translation>它不是普通文件（而是文件夹、设备或 FIFO），已保持原样</translation>
    </message>
</context>
<context>
    <name>MidiMonitorWindow</name>
    <message>
        <source>From controller</source>
        <translation>来自控制器</translation>
    </message>
    <message>
        <source>To controller</source>
        <translation>发往控制器</translation>
    </message>
    <message>
        <source>MIDI Monitor</source>
        <translation>MIDI 监视器</translation>
    </message>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation>
            <numerusform>%n 行</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n older line(s) dropped</source>
        <translation>
            <numerusform>已丢弃 %n 行较早的内容</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n message(s) missed while paused</source>
        <translation>
            <numerusform>暂停期间错过了 %n 条消息</numerusform>
        </translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Time (ms)</source>
        <translation>时间（毫秒）</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>消息</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控件</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>字节</translation>
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
    <message>
        <source>Play Demo</source>
        <translation>播放演示</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Copy Bank...</source>
        <translation>复制组...</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>MIDI Monitor</source>
        <translation>MIDI 监视器</translation>
    </message>
    <message>
        <source>Select By Touch</source>
        <translation>触控选择</translation>
    </message>
    <message>
        <source>Update Firmware From File...</source>
        <translation>从文件更新固件...</translation>
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
</context>
<context>
    <name>PresetDocument</name>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>stm (*.stm)</source>
        <translation>stm (*.stm)</translation>
    </message>
    <message>
        <source>Error prompt</source>
        <translation>错误提示</translation>
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
        <source>固件升级失败！</source>
        <translation>固件升级失败！</translation>
    </message>
    <message>
        <source>正在下载固件…</source>
        <translation>正在下载固件…</translation>
    </message>
    <message>
        <source>固件检测失败！</source>
        <translation>固件检测失败！</translation>
    </message>
    <message>
        <source>Restore my settings after the update</source>
        <translation>更新后恢复我的设置</translation>
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
    <name>StrictJson</name>
    <message>
        <source>%1 must be an object</source>
        <translation>%1 必须是对象</translation>
    </message>
    <message>
        <source>%1 has an unknown key %2</source>
        <translation>%1 含有未知的键 %2</translation>
    </message>
    <message>
        <source>%1 has the key %2 twice</source>
        <translation>%1 中键 %2 出现了两次</translation>
    </message>
    <message>
        <source>%1 has no &quot;%2&quot;</source>
        <translation>%1 中没有“%2”</translation>
    </message>
    <message>
        <source>%1 must be an array</source>
        <translation>%1 必须是数组</translation>
    </message>
    <message>
        <source>%1 must hold %2 entries, not %3</source>
        <translation>%1 必须有 %2 项，而不是 %3 项</translation>
    </message>
    <message>
        <source>%1 must be a whole number</source>
        <translation>%1 必须是整数</translation>
    </message>
    <message>
        <source>%1 is %2, outside %3..%4</source>
        <translation>%1 为 %2，超出 %3..%4</translation>
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
