<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en">
<context>
    <name>BQM</name>
    <message>
        <source>MIN</source>
        <translation>MIN</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>MAX</translation>
    </message>
    <message>
        <source>LSB MIN</source>
        <translation>LSB MIN</translation>
    </message>
    <message>
        <source>MSB MIN</source>
        <translation>MSB MIN</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>CH</translation>
    </message>
    <message>
        <source>CHN TOUCH</source>
        <translation>CHN TOUCH</translation>
    </message>
    <message>
        <source>PITCH BEND</source>
        <translation>PITCH BEND</translation>
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
        <translation>cancel</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>confirm</translation>
    </message>
</context>
<context>
    <name>ColorSet</name>
    <message>
        <source>Set Color</source>
        <translation>Set Color</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>Compare With Hardware</source>
        <translation>Compare With Hardware</translation>
    </message>
    <message>
        <source>The controller holds the same configuration as the editor.</source>
        <translation>The controller holds the same configuration as the editor.</translation>
    </message>
    <message numerus="yes">
        <source>%n field(s) differ between the editor and the controller:</source>
        <translation>
            <numerusform>%n field differs between the editor and the controller:</numerusform>
            <numerusform>%n fields differ between the editor and the controller:</numerusform>
        </translation>
    </message>
    <message>
        <source>Take The Hardware&apos;s Values</source>
        <translation>Take The Hardware&apos;s Values</translation>
    </message>
    <message>
        <source>Send The Editor&apos;s Values</source>
        <translation>Send The Editor&apos;s Values</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ConnectState</name>
    <message>
        <source>No device found</source>
        <translation>No device found</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>Device connected</translation>
    </message>
</context>
<context>
    <name>ConnectionCheck</name>
    <message>
        <source>MIDI system</source>
        <translation>MIDI system</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>%1 opens</source>
        <translation>%1 opens</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: %1 does not exist</source>
        <translation>The MIDI system cannot be opened: %1 does not exist</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: %1: permission denied</source>
        <translation>The MIDI system cannot be opened: %1: permission denied</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: %1: %2</source>
        <translation>The MIDI system cannot be opened: %1: %2</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Controller&apos;s MIDI ports</source>
        <translation>Controller&apos;s MIDI ports</translation>
    </message>
    <message>
        <source>not looked for: the MIDI system cannot be opened</source>
        <translation>not looked for: the MIDI system cannot be opened</translation>
    </message>
    <message>
        <source>found by the name &quot;%1&quot;: input %2, output %3</source>
        <translation>found by the name &quot;%1&quot;: input %2, output %3</translation>
    </message>
    <message>
        <source>not there: the controller is in its boot loader</source>
        <translation>not there: the controller is in its boot loader</translation>
    </message>
    <message>
        <source>no MIDI port is named &quot;%1&quot;; there are no MIDI ports at all</source>
        <translation>no MIDI port is named &quot;%1&quot;; there are no MIDI ports at all</translation>
    </message>
    <message>
        <source>no MIDI port is named &quot;%1&quot;; the ports are %2</source>
        <translation>no MIDI port is named &quot;%1&quot;; the ports are %2</translation>
    </message>
    <message>
        <source>Connect the controller with a USB data cable (not a charging-only one), directly or through a powered hub, and switch it on.</source>
        <translation>Connect the controller with a USB data cable (not a charging-only one), directly or through a powered hub, and switch it on.</translation>
    </message>
    <message>
        <source>Boot loader&apos;s serial port</source>
        <translation>Boot loader&apos;s serial port</translation>
    </message>
    <message>
        <source>not there (it appears only while the firmware is updated)</source>
        <translation>not there (it appears only while the firmware is updated)</translation>
    </message>
    <message>
        <source>%1, readable and writable by this user</source>
        <translation>%1, readable and writable by this user</translation>
    </message>
    <message>
        <source>%1 cannot be opened by this user: permission denied</source>
        <translation>%1 cannot be opened by this user: permission denied</translation>
    </message>
    <message>
        <source>Install the rule %1 (see the README), then unplug the controller and plug it in again.</source>
        <translation>Install the rule %1 (see the README), then unplug the controller and plug it in again.</translation>
    </message>
    <message>
        <source>Log in at the computer&apos;s own seat, or add your user to the group that owns %1.</source>
        <translation>Log in at the computer&apos;s own seat, or add your user to the group that owns %1.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>Close the other program that uses this port (a terminal program, another editor), then try again.</source>
        <translation>Close the other program that uses this port (a terminal program, another editor), then try again.</translation>
    </message>
    <message>
        <source>Access rule for the boot loader</source>
        <translation>Access rule for the boot loader</translation>
    </message>
    <message>
        <source>%1 is installed</source>
        <translation>%1 is installed</translation>
    </message>
    <message>
        <source>%1 is not installed: only root can update the firmware</source>
        <translation>%1 is not installed: only root can update the firmware</translation>
    </message>
    <message>
        <source>Install it as the README says (sudo install -m 644 %1 /etc/udev/rules.d/).</source>
        <translation>Install it as the README says (sudo install -m 644 %1 /etc/udev/rules.d/).</translation>
    </message>
    <message>
        <source>Editor instance</source>
        <translation>Editor instance</translation>
    </message>
    <message>
        <source>no editor runs</source>
        <translation>no editor runs</translation>
    </message>
    <message>
        <source>this editor (process %1) holds the single-instance lock</source>
        <translation>this editor (process %1) holds the single-instance lock</translation>
    </message>
    <message>
        <source>an editor runs (process %1) and holds the single-instance lock; it talks to the controller whenever it is connected</source>
        <translation>an editor runs (process %1) and holds the single-instance lock; it talks to the controller whenever it is connected</translation>
    </message>
    <message>
        <source>Use that window, or close it before another program talks to the controller.</source>
        <translation>Use that window, or close it before another program talks to the controller.</translation>
    </message>
    <message>
        <source>Log and settings</source>
        <translation>Log and settings</translation>
    </message>
    <message>
        <source>log in %1; settings in %2</source>
        <translation>log in %1; settings in %2</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>absent</translation>
    </message>
    <message>
        <source>note</source>
        <translation>note</translation>
    </message>
    <message>
        <source>Load the sequencer (sudo modprobe snd-seq) and start again, or use --virtual-device.</source>
        <translation>Load the sequencer (sudo modprobe snd-seq) and start again, or use --virtual-device.</translation>
    </message>
    <message>
        <source>Join the audio group (sudo usermod -aG audio $USER) and log in again.</source>
        <translation>Join the audio group (sudo usermod -aG audio $USER) and log in again.</translation>
    </message>
    <message>
        <source>Check the sound support (aplay -l lists its devices), then start again.</source>
        <translation>Check the sound support (aplay -l lists its devices), then start again.</translation>
    </message>
</context>
<context>
    <name>ConnectionCheckDialog</name>
    <message>
        <source>Connection Check</source>
        <translation>Connection Check</translation>
    </message>
    <message>
        <source>Every link works: the editor can reach the controller.</source>
        <translation>Every link works: the editor can reach the controller.</translation>
    </message>
    <message>
        <source>The controller was not found.</source>
        <translation>The controller was not found.</translation>
    </message>
    <message>
        <source>The MIDI system cannot be opened: no controller can be reached.</source>
        <translation>The MIDI system cannot be opened: no controller can be reached.</translation>
    </message>
    <message>
        <source>The boot loader&apos;s port cannot be opened by this user.</source>
        <translation>The boot loader&apos;s port cannot be opened by this user.</translation>
    </message>
    <message>
        <source>Check Again</source>
        <translation>Check Again</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ControlClipboard</name>
    <message>
        <source>pad</source>
        <translation>pad</translation>
    </message>
    <message>
        <source>knob</source>
        <translation>knob</translation>
    </message>
    <message>
        <source>strip section</source>
        <translation>strip section</translation>
    </message>
    <message>
        <source>Click the editor of a pad, knob or strip section first.</source>
        <translation>Click the editor of a pad, knob or strip section first.</translation>
    </message>
    <message>
        <source>The %1&apos;s settings are on the clipboard.</source>
        <translation>The %1&apos;s settings are on the clipboard.</translation>
    </message>
    <message>
        <source>The clipboard holds no settings to paste.</source>
        <translation>The clipboard holds no settings to paste.</translation>
    </message>
    <message>
        <source>The clipboard holds no control&apos;s settings: %1.</source>
        <translation>The clipboard holds no control&apos;s settings: %1.</translation>
    </message>
    <message>
        <source>The clipboard holds a %1&apos;s settings, which fit a %1 only, not a %2.</source>
        <translation>The clipboard holds a %1&apos;s settings, which fit a %1 only, not a %2.</translation>
    </message>
    <message>
        <source>The settings were pasted onto the %1.</source>
        <translation>The settings were pasted onto the %1.</translation>
    </message>
    <message>
        <source>Only pads and knobs come in banks.</source>
        <translation>Only pads and knobs come in banks.</translation>
    </message>
    <message>
        <source>Choose two different banks.</source>
        <translation>Choose two different banks.</translation>
    </message>
    <message>
        <source>Bank %1&apos;s pads were copied onto bank %2.</source>
        <translation>Bank %1&apos;s pads were copied onto bank %2.</translation>
    </message>
    <message>
        <source>Bank %1&apos;s knobs were copied onto bank %2.</source>
        <translation>Bank %1&apos;s knobs were copied onto bank %2.</translation>
    </message>
</context>
<context>
    <name>ControlMatch</name>
    <message>
        <source>Pad %1, bank %2</source>
        <translation>Pad %1, bank %2</translation>
    </message>
    <message>
        <source>Knob %1, bank %2</source>
        <translation>Knob %1, bank %2</translation>
    </message>
    <message>
        <source>Strip section %1</source>
        <translation>Strip section %1</translation>
    </message>
</context>
<context>
    <name>ControlSettings</name>
    <message>
        <source>the control</source>
        <translation>the control</translation>
    </message>
    <message>
        <source>it is not JSON</source>
        <translation>it is not JSON</translation>
    </message>
    <message>
        <source>it names no setting of a pad, a knob or a strip section</source>
        <translation>it names no setting of a pad, a knob or a strip section</translation>
    </message>
</context>
<context>
    <name>ControllerSession</name>
    <message>
        <source>Its reply was broken at byte %1.</source>
        <translation>Its reply was broken at byte %1.</translation>
    </message>
    <message>
        <source>It did not answer within %1 seconds.</source>
        <translation>It did not answer within %1 seconds.</translation>
    </message>
    <message>
        <source>The Kovela Tark9 was unplugged.</source>
        <translation>The Kovela Tark9 was unplugged.</translation>
    </message>
    <message>
        <source>Error prompt</source>
        <translation>Error prompt</translation>
    </message>
    <message>
        <source>The configuration was sent, but it could not be read back to check it.
%1</source>
        <translation>The configuration was sent, but it could not be read back to check it.
%1</translation>
    </message>
    <message>
        <source>The configuration of the Kovela Tark9 could not be read for the comparison.
%1</source>
        <translation>The configuration of the Kovela Tark9 could not be read for the comparison.
%1</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
    <message>
        <source>The Kovela Tark9&apos;s configuration holds values this editor does not know (a newer firmware?). They are kept as they are and sent back unchanged unless you edit them:
%1</source>
        <translation>The Kovela Tark9&apos;s configuration holds values this editor does not know (a newer firmware?). They are kept as they are and sent back unchanged unless you edit them:
%1</translation>
    </message>
    <message>
        <source>The Kovela Tark9 did not keep the configuration as it was sent:
%1</source>
        <translation>The Kovela Tark9 did not keep the configuration as it was sent:
%1</translation>
    </message>
    <message>
        <source>%1: editor %2, controller %3</source>
        <translation>%1: editor %2, controller %3</translation>
    </message>
    <message>
        <source>No Kovela Tark9 is connected.</source>
        <translation>No Kovela Tark9 is connected.</translation>
    </message>
    <message>
        <source>The MIDI ports of the Kovela Tark9 were not found; nothing was sent.</source>
        <translation>The MIDI ports of the Kovela Tark9 were not found; nothing was sent.</translation>
    </message>
    <message>
        <source>The current device is occupied</source>
        <translation>The current device is occupied</translation>
    </message>
    <message>
        <source>The configuration holds a byte outside 0..127; nothing was sent.</source>
        <translation>The configuration holds a byte outside 0..127; nothing was sent.</translation>
    </message>
    <message>
        <source>The MIDI system refused the message.</source>
        <translation>The MIDI system refused the message.</translation>
    </message>
    <message>
        <source>The Kovela Tark9 took no data for %1 seconds; the send was given up.</source>
        <translation>The Kovela Tark9 took no data for %1 seconds; the send was given up.</translation>
    </message>
</context>
<context>
    <name>CopyBankDialog</name>
    <message>
        <source>Copy Bank</source>
        <translation>Copy Bank</translation>
    </message>
    <message>
        <source>Copy the</source>
        <translation>Copy the</translation>
    </message>
    <message>
        <source>PADS</source>
        <translation>PADS</translation>
    </message>
    <message>
        <source>KNOBS</source>
        <translation>KNOBS</translation>
    </message>
    <message>
        <source>of bank</source>
        <translation>of bank</translation>
    </message>
    <message>
        <source>onto bank</source>
        <translation>onto bank</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CusButtonState</name>
    <message>
        <source>Momentary</source>
        <translation>Momentary</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>Toggle</translation>
    </message>
</context>
<context>
    <name>CusTabButton</name>
    <message>
        <source>BANK A</source>
        <translation>BANK A</translation>
    </message>
</context>
<context>
    <name>FirmwareBackups</name>
    <message>
        <source>No backup of the controller&apos;s settings was made: the configuration read from it is incomplete or damaged.</source>
        <translation>No backup of the controller&apos;s settings was made: the configuration read from it is incomplete or damaged.</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made: %1 is a file, not a folder.</source>
        <translation>No backup of the controller&apos;s settings was made: %1 is a file, not a folder.</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made: the folder %1 cannot be created.</source>
        <translation>No backup of the controller&apos;s settings was made: the folder %1 cannot be created.</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made: nothing can be written to the folder %1 (%2).</source>
        <translation>No backup of the controller&apos;s settings was made: nothing can be written to the folder %1 (%2).</translation>
    </message>
    <message>
        <source>No backup of the controller&apos;s settings was made. %1</source>
        <translation>No backup of the controller&apos;s settings was made. %1</translation>
    </message>
</context>
<context>
    <name>FirmwareCatalogue</name>
    <message>
        <source>it is %1 bytes, the server&apos;s image %2</source>
        <translation>it is %1 bytes, the server&apos;s image %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>it cannot be read (%1)</translation>
    </message>
    <message>
        <source>its checksum is not the server&apos;s image&apos;s</source>
        <translation>its checksum is not the server&apos;s image&apos;s</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>A firmware update is already running.</source>
        <translation>A firmware update is already running.</translation>
    </message>
    <message>
        <source>The serial port name of the device was not found</source>
        <translation>The serial port name of the device was not found</translation>
    </message>
    <message>
        <source>Failed to open the serial port!</source>
        <translation>Failed to open the serial port!</translation>
    </message>
    <message>
        <source>The firmware update was cancelled.</source>
        <translation>The firmware update was cancelled.</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdateDialog</name>
    <message>
        <source>The controller is in its boot loader</source>
        <translation>The controller is in its boot loader</translation>
    </message>
    <message>
        <source>Update Firmware From File</source>
        <translation>Update Firmware From File</translation>
    </message>
    <message>
        <source>Rescue the controller</source>
        <translation>Rescue the controller</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>The Kovela Tark9 is waiting in its boot loader: a firmware update did not finish (the power went, the editor was closed, or the transfer was cancelled), and it works as a MIDI controller again only once it has a whole firmware image. Finish the update with an image; the controller&apos;s settings are then restored from its newest backup.</source>
        <translation>The Kovela Tark9 is waiting in its boot loader: a firmware update did not finish (the power went, the editor was closed, or the transfer was cancelled), and it works as a MIDI controller again only once it has a whole firmware image. Finish the update with an image; the controller&apos;s settings are then restored from its newest backup.</translation>
    </message>
    <message>
        <source>Newest image downloaded: %1</source>
        <translation>Newest image downloaded: %1</translation>
    </message>
    <message>
        <source>No firmware image has been downloaded: choose an image file.</source>
        <translation>No firmware image has been downloaded: choose an image file.</translation>
    </message>
    <message>
        <source>The controller is in its boot loader: the image is sent to it, and once it runs again its settings are compared with its newest backup.</source>
        <translation>The controller is in its boot loader: the image is sent to it, and once it runs again its settings are compared with its newest backup.</translation>
    </message>
    <message>
        <source>The controller&apos;s settings are backed up first. Do not unplug the controller until the update says it is done.</source>
        <translation>The controller&apos;s settings are backed up first. Do not unplug the controller until the update says it is done.</translation>
    </message>
    <message>
        <source>Restore my settings after the update</source>
        <translation>Restore my settings after the update</translation>
    </message>
    <message>
        <source>Rescue</source>
        <translation>Rescue</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Rescue With %1</source>
        <translation>Rescue With %1</translation>
    </message>
    <message>
        <source>Choose A File...</source>
        <translation>Choose A File...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Not Now</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdater</name>
    <message>
        <source>Update Firmware From File</source>
        <translation>Update Firmware From File</translation>
    </message>
    <message>
        <source>Firmware images (*.bin);;All files (*)</source>
        <translation>Firmware images (*.bin);;All files (*)</translation>
    </message>
    <message>
        <source>%1 cannot be sent to the controller: %2.</source>
        <translation>%1 cannot be sent to the controller: %2.</translation>
    </message>
    <message>
        <source>%1 has the name of the firmware server&apos;s image, but is not that image: %2. Download it again, or pick another file.</source>
        <translation>%1 has the name of the firmware server&apos;s image, but is not that image: %2. Download it again, or pick another file.</translation>
    </message>
    <message>
        <source>%1 (%2 bytes) is the firmware server&apos;s image of version %3: its size and checksum match the catalogue&apos;s.</source>
        <translation>%1 (%2 bytes) is the firmware server&apos;s image of version %3: its size and checksum match the catalogue&apos;s.</translation>
    </message>
    <message>
        <source>%1 (%2 bytes) has the name of the firmware server&apos;s image of version %3; the catalogue gives no size or checksum to check it by.</source>
        <translation>%1 (%2 bytes) has the name of the firmware server&apos;s image of version %3; the catalogue gives no size or checksum to check it by.</translation>
    </message>
    <message>
        <source>%1 (%2 bytes). No catalogue of the firmware server is known here, so the file cannot be checked: make sure it is an image for the Kovela Tark9.</source>
        <translation>%1 (%2 bytes). No catalogue of the firmware server is known here, so the file cannot be checked: make sure it is an image for the Kovela Tark9.</translation>
    </message>
    <message>
        <source>%1 (%2 bytes) is not in the firmware server&apos;s catalogue, so it cannot be checked: make sure it is an image for the Kovela Tark9.</source>
        <translation>%1 (%2 bytes) is not in the firmware server&apos;s catalogue, so it cannot be checked: make sure it is an image for the Kovela Tark9.</translation>
    </message>
    <message>
        <source>%1 of %2 bytes sent, %3 %, about %4 s left</source>
        <translation>%1 of %2 bytes sent, %3 %, about %4 s left</translation>
    </message>
    <message>
        <source>%1 of %2 bytes sent, %3 %</source>
        <translation>%1 of %2 bytes sent, %3 %</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>%1

Go on without a backup?</source>
        <translation>%1

Go on without a backup?</translation>
    </message>
</context>
<context>
    <name>FuncItem1StateBtn</name>
    <message>
        <source>Moment</source>
        <translation>Moment</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>Toggle</translation>
    </message>
</context>
<context>
    <name>FuncItemSort</name>
    <message>
        <source>With Values</source>
        <translation>With Values</translation>
    </message>
    <message>
        <source>Asc</source>
        <translation>Asc</translation>
    </message>
    <message>
        <source>Des</source>
        <translation>Des</translation>
    </message>
</context>
<context>
    <name>FunctionDialog</name>
    <message>
        <source>Auto Populate</source>
        <translation>Auto Populate</translation>
    </message>
    <message>
        <source>KNOBs</source>
        <translation>KNOBs</translation>
    </message>
    <message>
        <source>PADs</source>
        <translation>PADs</translation>
    </message>
    <message>
        <source>Pressure Threshold</source>
        <translation>Pressure Threshold</translation>
    </message>
    <message>
        <source>Luminance</source>
        <translation>Luminance</translation>
    </message>
    <message>
        <source>CC range starting at</source>
        <translation>CC range starting at</translation>
    </message>
    <message>
        <source>Set CC Min</source>
        <translation>Set CC Min</translation>
    </message>
    <message>
        <source>Set CC Max</source>
        <translation>Set CC Max</translation>
    </message>
    <message>
        <source>Set CC CH</source>
        <translation>Set CC CH</translation>
    </message>
    <message>
        <source>Set CHN TOUCH Min</source>
        <translation>Set CHN TOUCH Min</translation>
    </message>
    <message>
        <source>Set CHN TOUCH Max</source>
        <translation>Set CHN TOUCH Max</translation>
    </message>
    <message>
        <source>Set CHN TOUCH CH</source>
        <translation>Set CHN TOUCH CH</translation>
    </message>
    <message>
        <source>Set PITCH BEND LSB Min</source>
        <translation>Set PITCH BEND LSB Min</translation>
    </message>
    <message>
        <source>Set PITCH BEND LSB Max</source>
        <translation>Set PITCH BEND LSB Max</translation>
    </message>
    <message>
        <source>Set PITCH BEND MSB Min</source>
        <translation>Set PITCH BEND MSB Min</translation>
    </message>
    <message>
        <source>Set PITCH BEND MSB Max</source>
        <translation>Set PITCH BEND MSB Max</translation>
    </message>
    <message>
        <source>Set PITCH BEND CH</source>
        <translation>Set PITCH BEND CH</translation>
    </message>
    <message>
        <source>Set CC Type</source>
        <translation>Set CC Type</translation>
    </message>
    <message>
        <source>NOTE range starting at</source>
        <translation>NOTE range starting at</translation>
    </message>
    <message>
        <source>Set NOTE CH</source>
        <translation>Set NOTE CH</translation>
    </message>
    <message>
        <source>PC range starting at</source>
        <translation>PC range starting at</translation>
    </message>
    <message>
        <source>Set PC CH</source>
        <translation>Set PC CH</translation>
    </message>
    <message>
        <source>Full Level</source>
        <translation>Full Level</translation>
    </message>
    <message>
        <source>Velocity Curve</source>
        <translation>Velocity Curve</translation>
    </message>
    <message>
        <source>FULL</source>
        <translation>FULL</translation>
    </message>
    <message>
        <source>LO</source>
        <translation>LO</translation>
    </message>
    <message>
        <source>LINEAR</source>
        <translation>LINEAR</translation>
    </message>
    <message>
        <source>EXP</source>
        <translation>EXP</translation>
    </message>
    <message>
        <source>Apply to BANK A</source>
        <translation>Apply to BANK A</translation>
    </message>
    <message>
        <source>Apply to BANK B</source>
        <translation>Apply to BANK B</translation>
    </message>
    <message>
        <source>Apply to BANK C</source>
        <translation>Apply to BANK C</translation>
    </message>
</context>
<context>
    <name>GuardedUpdate</name>
    <message>
        <source>No controller is connected: there are no MIDI ports named &quot;%1&quot;.</source>
        <translation>No controller is connected: there are no MIDI ports named &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Another program holds the controller&apos;s MIDI ports; close it and try again.</source>
        <translation>Another program holds the controller&apos;s MIDI ports; close it and try again.</translation>
    </message>
    <message>
        <source>The configuration holds a byte the controller cannot take.</source>
        <translation>The configuration holds a byte the controller cannot take.</translation>
    </message>
    <message>
        <source>The MIDI system refused the message.</source>
        <translation>The MIDI system refused the message.</translation>
    </message>
    <message>
        <source>The controller stopped taking data.</source>
        <translation>The controller stopped taking data.</translation>
    </message>
    <message>
        <source>The controller&apos;s configuration arrived broken (byte %1).</source>
        <translation>The controller&apos;s configuration arrived broken (byte %1).</translation>
    </message>
    <message>
        <source>The controller did not answer.</source>
        <translation>The controller did not answer.</translation>
    </message>
    <message>
        <source>%1 is no firmware image: %2. Nothing was changed on the controller.</source>
        <translation>%1 is no firmware image: %2. Nothing was changed on the controller.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Backing up the settings</source>
        <translation>Backing up the settings</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>Switching to the boot loader</source>
        <translation>Switching to the boot loader</translation>
    </message>
    <message>
        <source>Transferring</source>
        <translation>Transferring</translation>
    </message>
    <message>
        <source>Waiting for the controller</source>
        <translation>Waiting for the controller</translation>
    </message>
    <message>
        <source>Checking the version</source>
        <translation>Checking the version</translation>
    </message>
    <message>
        <source>Restoring the settings</source>
        <translation>Restoring the settings</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>Verifying</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>it is not a regular file (a device, FIFO or socket)</source>
        <translation>it is not a regular file (a device, FIFO or socket)</translation>
    </message>
    <message>
        <source>it cannot be read (no permission)</source>
        <translation>it cannot be read (no permission)</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>it is empty</translation>
    </message>
    <message>
        <source>it is %1 bytes, and the boot loader takes at most %2</source>
        <translation>it is %1 bytes, and the boot loader takes at most %2</translation>
    </message>
    <message>
        <source>The controller&apos;s configuration arrived cut short (%1 of %2 bytes).</source>
        <translation>The controller&apos;s configuration arrived cut short (%1 of %2 bytes).</translation>
    </message>
    <message>
        <source>%1 Nothing was changed on the controller.</source>
        <translation>%1 Nothing was changed on the controller.</translation>
    </message>
    <message>
        <source>The controller&apos;s settings could not be read for a backup: %1 Without a backup, settings that the new firmware resets cannot be restored.</source>
        <translation>The controller&apos;s settings could not be read for a backup: %1 Without a backup, settings that the new firmware resets cannot be restored.</translation>
    </message>
    <message>
        <source>The image was sent, but the controller&apos;s version could not be read: %1 Unplug the controller, plug it in again and read its serial number and version.</source>
        <translation>The image was sent, but the controller&apos;s version could not be read: %1 Unplug the controller, plug it in again and read its serial number and version.</translation>
    </message>
    <message>
        <source>The settings were sent back, but could not be read back to check them: %1 Read the controller&apos;s configuration and compare it with the backup %2.</source>
        <translation>The settings were sent back, but could not be read back to check them: %1 Read the controller&apos;s configuration and compare it with the backup %2.</translation>
    </message>
    <message>
        <source>The update was stopped before anything changed on the controller: its settings could not be backed up. %1</source>
        <translation>The update was stopped before anything changed on the controller: its settings could not be backed up. %1</translation>
    </message>
    <message>
        <source>%1 The update was stopped before anything changed on the controller: make room on the disk (or let that folder be written) and start it again.</source>
        <translation>%1 The update was stopped before anything changed on the controller: make room on the disk (or let that folder be written) and start it again.</translation>
    </message>
    <message>
        <source>The controller could not be switched to its boot loader: %1 Nothing was changed on the controller.</source>
        <translation>The controller could not be switched to its boot loader: %1 Nothing was changed on the controller.</translation>
    </message>
    <message>
        <source>The controller stays in its boot loader: rescue it with a firmware image (the newest downloaded one, or a file), and its settings are restored from its newest backup.</source>
        <translation>The controller stays in its boot loader: rescue it with a firmware image (the newest downloaded one, or a file), and its settings are restored from its newest backup.</translation>
    </message>
    <message>
        <source>The rescue was cancelled before the transfer; the controller is still in its boot loader.</source>
        <translation>The rescue was cancelled before the transfer; the controller is still in its boot loader.</translation>
    </message>
    <message>
        <source>The update was cancelled before anything changed on the controller.</source>
        <translation>The update was cancelled before anything changed on the controller.</translation>
    </message>
    <message>
        <source>The update was cancelled during the transfer. %1</source>
        <translation>The update was cancelled during the transfer. %1</translation>
    </message>
    <message>
        <source>The boot loader stopped answering during the transfer. %1</source>
        <translation>The boot loader stopped answering during the transfer. %1</translation>
    </message>
    <message>
        <source>The boot loader cancelled the transfer. %1</source>
        <translation>The boot loader cancelled the transfer. %1</translation>
    </message>
    <message>
        <source>The transfer broke off (the boot loader&apos;s port went away, or the image could not be read). %1</source>
        <translation>The transfer broke off (the boot loader&apos;s port went away, or the image could not be read). %1</translation>
    </message>
    <message>
        <source>The update was cancelled after the controller was switched to its boot loader. %1</source>
        <translation>The update was cancelled after the controller was switched to its boot loader. %1</translation>
    </message>
    <message>
        <source>There is no serial port %1.</source>
        <translation>There is no serial port %1.</translation>
    </message>
    <message>
        <source>No controller in its boot loader was found (serial port %1:%2). A controller that works as a MIDI controller is updated, not rescued.</source>
        <translation>No controller in its boot loader was found (serial port %1:%2). A controller that works as a MIDI controller is updated, not rescued.</translation>
    </message>
    <message>
        <source>The boot loader&apos;s serial port cannot be opened: another program holds it, or this user may not open it (see the connection check). %1</source>
        <translation>The boot loader&apos;s serial port cannot be opened: another program holds it, or this user may not open it (see the connection check). %1</translation>
    </message>
    <message>
        <source>The controller came back with version %1, expected %2: the new firmware is not running. Check that the image is the version you meant, and update again.</source>
        <translation>The controller came back with version %1, expected %2: the new firmware is not running. Check that the image is the version you meant, and update again.</translation>
    </message>
    <message>
        <source>The controller came back with version %1, the version it had before: the new firmware is not running. Update again; to install the version it already has, give that version as the one expected.</source>
        <translation>The controller came back with version %1, the version it had before: the new firmware is not running. Update again; to install the version it already has, give that version as the one expected.</translation>
    </message>
    <message>
        <source>The controller runs version %1, but its backup %2 cannot be read. %3 Open a preset of your settings and send it to the controller.</source>
        <translation>The controller runs version %1, but its backup %2 cannot be read. %3 Open a preset of your settings and send it to the controller.</translation>
    </message>
    <message>
        <source>The controller runs version %1, but the new firmware reset its settings and they could not be sent back: %2 Open the backup %3 and send it to the controller.</source>
        <translation>The controller runs version %1, but the new firmware reset its settings and they could not be sent back: %2 Open the backup %3 and send it to the controller.</translation>
    </message>
    <message>
        <source>The controller is rescued: it runs firmware %1.</source>
        <translation>The controller is rescued: it runs firmware %1.</translation>
    </message>
    <message>
        <source>The firmware update is complete: the controller runs version %1.</source>
        <translation>The firmware update is complete: the controller runs version %1.</translation>
    </message>
    <message>
        <source>Its settings were not compared with the backup (restoring was turned off).</source>
        <translation>Its settings were not compared with the backup (restoring was turned off).</translation>
    </message>
    <message>
        <source>No backup of its settings was found, so they were not checked.</source>
        <translation>No backup of its settings was found, so they were not checked.</translation>
    </message>
    <message>
        <source>No backup was taken, so its settings were not checked.</source>
        <translation>No backup was taken, so its settings were not checked.</translation>
    </message>
    <message>
        <source>Its settings are the ones in the backup.</source>
        <translation>Its settings are the ones in the backup.</translation>
    </message>
    <message>
        <source>The controller did not answer within %1 s.</source>
        <translation>The controller did not answer within %1 s.</translation>
    </message>
    <message>
        <source>The controller&apos;s boot loader did not appear within %1 s of the switch. Unplug the controller and plug it in again; if it then shows up in its boot loader, rescue it.</source>
        <translation>The controller&apos;s boot loader did not appear within %1 s of the switch. Unplug the controller and plug it in again; if it then shows up in its boot loader, rescue it.</translation>
    </message>
    <message>
        <source>The image was sent, but the controller did not come back as a MIDI controller within %1 s. If it shows up in its boot loader, rescue it; otherwise unplug it, plug it in again and read its version.</source>
        <translation>The image was sent, but the controller did not come back as a MIDI controller within %1 s. If it shows up in its boot loader, rescue it; otherwise unplug it, plug it in again and read its version.</translation>
    </message>
    <message>
        <source>The controller runs version %1, but after the backup was sent back it holds other settings (%2). Open the backup %3 and send it to the controller again.</source>
        <translation>The controller runs version %1, but after the backup was sent back it holds other settings (%2). Open the backup %3 and send it to the controller again.</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>%1 in all: %2</source>
        <translation>%1 in all: %2</translation>
    </message>
    <message>
        <source>The new firmware had reset its settings; they were restored from the backup and verified (%1).</source>
        <translation>The new firmware had reset its settings; they were restored from the backup and verified (%1).</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Kovela PC Control Windows OS</source>
        <translation>Kovela PC Control Windows OS</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>firmware updates</source>
        <translation>firmware updates</translation>
    </message>
    <message>
        <source>SUPPORT CENTER</source>
        <translation>SUPPORT CENTER</translation>
    </message>
</context>
<context>
    <name>MainPage</name>
    <message>
        <source>BANK A</source>
        <translation>BANK A</translation>
    </message>
    <message>
        <source>BANK B</source>
        <translation>BANK B</translation>
    </message>
    <message>
        <source>BANK C</source>
        <translation>BANK C</translation>
    </message>
    <message>
        <source>SEND TO HARDWARE</source>
        <translation>SEND TO HARDWARE</translation>
    </message>
    <message>
        <source>GET FROM HARDWARE</source>
        <translation>GET FROM HARDWARE</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Export MIDI Monitor</source>
        <translation>Export MIDI Monitor</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
</context>
<context>
    <name>MidiMessageText</name>
    <message>
        <source>MTC Quarter Frame</source>
        <translation>MTC Quarter Frame</translation>
    </message>
    <message>
        <source>Song Position</source>
        <translation>Song Position</translation>
    </message>
    <message>
        <source>Song Select</source>
        <translation>Song Select</translation>
    </message>
    <message>
        <source>Tune Request</source>
        <translation>Tune Request</translation>
    </message>
    <message>
        <source>Timing Clock</source>
        <translation>Timing Clock</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Active Sensing</source>
        <translation>Active Sensing</translation>
    </message>
    <message>
        <source>System Reset</source>
        <translation>System Reset</translation>
    </message>
    <message>
        <source>SysEx configuration request</source>
        <translation>SysEx configuration request</translation>
    </message>
    <message>
        <source>SysEx serial number request</source>
        <translation>SysEx serial number request</translation>
    </message>
    <message>
        <source>SysEx boot loader request</source>
        <translation>SysEx boot loader request</translation>
    </message>
    <message>
        <source>Note On %1 velocity %2</source>
        <translation>Note On %1 velocity %2</translation>
    </message>
    <message>
        <source>Note Off %1 (Note On with velocity 0)</source>
        <translation>Note Off %1 (Note On with velocity 0)</translation>
    </message>
    <message>
        <source>Note Off %1</source>
        <translation>Note Off %1</translation>
    </message>
    <message>
        <source>Poly Pressure %1 = %2</source>
        <translation>Poly Pressure %1 = %2</translation>
    </message>
    <message>
        <source>Control Change %1 = %2</source>
        <translation>Control Change %1 = %2</translation>
    </message>
    <message>
        <source>Program Change %1</source>
        <translation>Program Change %1</translation>
    </message>
    <message>
        <source>Channel Pressure %1</source>
        <translation>Channel Pressure %1</translation>
    </message>
    <message>
        <source>Pitch Bend %1</source>
        <translation>Pitch Bend %1</translation>
    </message>
    <message>
        <source>SysEx serial number reply</source>
        <translation>SysEx serial number reply</translation>
    </message>
    <message>
        <source>SysEx configuration write</source>
        <translation>SysEx configuration write</translation>
    </message>
    <message>
        <source>SysEx configuration reply</source>
        <translation>SysEx configuration reply</translation>
    </message>
    <message>
        <source>SysEx, %1 bytes</source>
        <translation>SysEx, %1 bytes</translation>
    </message>
    <message>
        <source>%1, %2 bytes</source>
        <translation>%1, %2 bytes</translation>
    </message>
    <message>
        <source>Unknown: no bytes</source>
        <translation>Unknown: no bytes</translation>
    </message>
    <message>
        <source>Unknown: %1</source>
        <translation>Unknown: %1</translation>
    </message>
</context>
<context>
    <name>MidiMonitor</name>
    <message>
        <source>Note On</source>
        <translation>Note On</translation>
    </message>
    <message>
        <source>Note Off</source>
        <translation>Note Off</translation>
    </message>
    <message>
        <source>Poly Pressure</source>
        <translation>Poly Pressure</translation>
    </message>
    <message>
        <source>Control Change</source>
        <translation>Control Change</translation>
    </message>
    <message>
        <source>Program Change</source>
        <translation>Program Change</translation>
    </message>
    <message>
        <source>Channel Pressure</source>
        <translation>Channel Pressure</translation>
    </message>
    <message>
        <source>Pitch Bend</source>
        <translation>Pitch Bend</translation>
    </message>
    <message>
        <source>SysEx</source>
        <translation>SysEx</translation>
    </message>
    <message>
        <source>System Common</source>
        <translation>System Common</translation>
    </message>
    <message>
        <source>System Real-Time</source>
        <translation>System Real-Time</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>from controller</source>
        <translation>from controller</translation>
    </message>
    <message>
        <source>to controller</source>
        <translation>to controller</translation>
    </message>
    <message>
        <source>%1, channel %2</source>
        <translation>%1, channel %2</translation>
    </message>
    <message>
        <source>The monitor&apos;s lines could not be saved to %1: %2</source>
        <translation>The monitor&apos;s lines could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>While the monitor is open the editor holds the controller&apos;s MIDI input: other programs, a music program among them, receive nothing from the controller until you close the monitor.</source>
        <translation>While the monitor is open the editor holds the controller&apos;s MIDI input: other programs, a music program among them, receive nothing from the controller until you close the monitor.</translation>
    </message>
    <message>
        <source>it is not a regular file (a folder, a device or a FIFO) and was left as it is</source>
        <translation>it is not a regular file (a folder, a device or a FIFO) and was left as it is</translation>
    </message>
</context>
<context>
    <name>MidiMonitorWindow</name>
    <message>
        <source>From controller</source>
        <translation>From controller</translation>
    </message>
    <message>
        <source>To controller</source>
        <translation>To controller</translation>
    </message>
    <message>
        <source>MIDI Monitor</source>
        <translation>MIDI Monitor</translation>
    </message>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation>
            <numerusform>%n line</numerusform>
            <numerusform>%n lines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n older line(s) dropped</source>
        <translation>
            <numerusform>%n older line dropped</numerusform>
            <numerusform>%n older lines dropped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n message(s) missed while paused</source>
        <translation>
            <numerusform>%n message missed while paused</numerusform>
            <numerusform>%n messages missed while paused</numerusform>
        </translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Time (ms)</source>
        <translation>Time (ms)</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
</context>
<context>
    <name>MyFtp</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>请先连接设备</source>
        <translation>Please connect the controller first.</translation>
    </message>
    <message>
        <source>获取当前版本号失败</source>
        <translation>The firmware version of the controller could not be read.</translation>
    </message>
    <message>
        <source>No firmware image is known yet; check for a new version first.</source>
        <translation>No firmware image is known yet; check for a new version first.</translation>
    </message>
    <message>
        <source>The firmware server refused the connection.</source>
        <translation>The firmware server refused the connection.</translation>
    </message>
    <message>
        <source>The firmware server was not found.</source>
        <translation>The firmware server was not found.</translation>
    </message>
    <message>
        <source>The firmware server did not accept the login.</source>
        <translation>The firmware server did not accept the login.</translation>
    </message>
    <message>
        <source>The firmware server stopped answering.</source>
        <translation>The firmware server stopped answering.</translation>
    </message>
    <message>
        <source>The file is not on the firmware server.</source>
        <translation>The file is not on the firmware server.</translation>
    </message>
    <message>
        <source>The transfer from the firmware server failed (%1).</source>
        <translation>The transfer from the firmware server failed (%1).</translation>
    </message>
    <message>
        <source>The firmware image is incomplete: %1 of %2 bytes arrived.</source>
        <translation>The firmware image is incomplete: %1 of %2 bytes arrived.</translation>
    </message>
    <message>
        <source>The firmware image is empty.</source>
        <translation>The firmware image is empty.</translation>
    </message>
    <message>
        <source>The firmware image does not match its checksum.</source>
        <translation>The firmware image does not match its checksum.</translation>
    </message>
    <message>
        <source>The firmware image cannot be saved as %1: %2</source>
        <translation>The firmware image cannot be saved as %1: %2</translation>
    </message>
    <message>
        <source>The firmware server did not send the catalogue within %1 seconds.</source>
        <translation>The firmware server did not send the catalogue within %1 seconds.</translation>
    </message>
    <message>
        <source>The firmware server sent more than %1 KiB for its catalogue, far more than a catalogue can be.</source>
        <translation>The firmware server sent more than %1 KiB for its catalogue, far more than a catalogue can be.</translation>
    </message>
    <message>
        <source>The firmware image is larger than %1 bytes, the most accepted when the catalogue gives no size.</source>
        <translation>The firmware image is larger than %1 bytes, the most accepted when the catalogue gives no size.</translation>
    </message>
    <message>
        <source>The firmware image is larger than the %1 bytes expected.</source>
        <translation>The firmware image is larger than the %1 bytes expected.</translation>
    </message>
    <message>
        <source>The firmware image (%1 bytes) could not be verified: neither the server nor the catalogue gives its size or checksum, so an image cut short would not be noticed. Flash it anyway?</source>
        <translation>The firmware image (%1 bytes) could not be verified: neither the server nor the catalogue gives its size or checksum, so an image cut short would not be noticed. Flash it anyway?</translation>
    </message>
</context>
<context>
    <name>MyMenuBar</name>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Send To Hardware</source>
        <translation>Send To Hardware</translation>
    </message>
    <message>
        <source>Get From Hardware</source>
        <translation>Get From Hardware</translation>
    </message>
    <message>
        <source>Restore The Default</source>
        <translation>Restore The Default</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Auto Populate</source>
        <translation>Auto Populate</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Open Userguide   Ctrl+H</source>
        <translation>Open Userguide   Ctrl+H</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Recent Presets</source>
        <translation>Recent Presets</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Compare With Hardware</source>
        <translation>Compare With Hardware</translation>
    </message>
    <message>
        <source>Connection Check</source>
        <translation>Connection Check</translation>
    </message>
    <message>
        <source>Play Demo</source>
        <translation>Play Demo</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Copy Bank...</source>
        <translation>Copy Bank...</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>MIDI Monitor</source>
        <translation>MIDI Monitor</translation>
    </message>
    <message>
        <source>Select By Touch</source>
        <translation>Select By Touch</translation>
    </message>
    <message>
        <source>Update Firmware From File...</source>
        <translation>Update Firmware From File...</translation>
    </message>
</context>
<context>
    <name>PadKey</name>
    <message>
        <source>KEY</source>
        <translation>KEY</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>CH</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Colour</translation>
    </message>
</context>
<context>
    <name>PresetDocument</name>
    <message>
        <source>Save File</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>stm (*.stm)</source>
        <translation>stm (*.stm)</translation>
    </message>
    <message>
        <source>Error prompt</source>
        <translation>Error prompt</translation>
    </message>
    <message>
        <source>The preset %1 is no longer there; it was taken off the recent presets.</source>
        <translation>The preset %1 is no longer there; it was taken off the recent presets.</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>The configuration has changes that are not saved in a preset. Save them first?</source>
        <translation>The configuration has changes that are not saved in a preset. Save them first?</translation>
    </message>
</context>
<context>
    <name>PresetFile</name>
    <message>
        <source>The preset could not be saved to %1: %2</source>
        <translation>The preset could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>The preset %1 could not be opened: %2</source>
        <translation>The preset %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>%1 holds no complete configuration; nothing was loaded.</source>
        <translation>%1 holds no complete configuration; nothing was loaded.</translation>
    </message>
    <message>
        <source>%1 is not a valid preset (byte %2 is out of range); nothing was loaded.</source>
        <translation>%1 is not a valid preset (byte %2 is out of range); nothing was loaded.</translation>
    </message>
    <message>
        <source>%1 is not a valid preset: %2; nothing was loaded.</source>
        <translation>%1 is not a valid preset: %2; nothing was loaded.</translation>
    </message>
    <message>
        <source>it is not a regular file (a folder, a device or a FIFO) and was left as it is</source>
        <translation>it is not a regular file (a folder, a device or a FIFO) and was left as it is</translation>
    </message>
    <message>
        <source>Standard input could not be read: %1</source>
        <translation>Standard input could not be read: %1</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>The preset %1 could not be opened: it is not a regular file (a folder, a device or a FIFO).</source>
        <translation>The preset %1 could not be opened: it is not a regular file (a folder, a device or a FIFO).</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>检测到新的固件版本，请确认是否升级</source>
        <translation>New firmware version detected, please confirm whether to upgrade</translation>
    </message>
    <message>
        <source>当前已是最新版本，无需升级</source>
        <translation>Currently, it is the latest version, no need to upgrade</translation>
    </message>
    <message>
        <source>当前已是最新版本，无需升级!</source>
        <translation>Currently it is the latest version, no need to upgrade!</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>固件名称:</source>
        <translation>Firmware name:</translation>
    </message>
    <message>
        <source>版本号:</source>
        <translation>Version No.:</translation>
    </message>
    <message>
        <source>固件升级失败！</source>
        <translation>Firmware upgrade failed!</translation>
    </message>
    <message>
        <source>正在下载固件…</source>
        <translation>Downloading the firmware…</translation>
    </message>
    <message>
        <source>固件检测失败！</source>
        <translation>Firmware check failed!</translation>
    </message>
    <message>
        <source>Restore my settings after the update</source>
        <translation>Restore my settings after the update</translation>
    </message>
</context>
<context>
    <name>ScaledDialog</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>StrictJson</name>
    <message>
        <source>%1 must be an object</source>
        <translation>%1 must be an object</translation>
    </message>
    <message>
        <source>%1 has an unknown key %2</source>
        <translation>%1 has an unknown key %2</translation>
    </message>
    <message>
        <source>%1 has the key %2 twice</source>
        <translation>%1 has the key %2 twice</translation>
    </message>
    <message>
        <source>%1 has no &quot;%2&quot;</source>
        <translation>%1 has no &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 must be an array</source>
        <translation>%1 must be an array</translation>
    </message>
    <message>
        <source>%1 must hold %2 entries, not %3</source>
        <translation>%1 must hold %2 entries, not %3</translation>
    </message>
    <message>
        <source>%1 must be a whole number</source>
        <translation>%1 must be a whole number</translation>
    </message>
    <message>
        <source>%1 is %2, outside %3..%4</source>
        <translation>%1 is %2, outside %3..%4</translation>
    </message>
</context>
<context>
    <name>Trans</name>
    <message>
        <source>TargetLanguage</source>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>TypeBar</name>
    <message>
        <source>Message type</source>
        <translation>Message type</translation>
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
        <translation>CH</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Succeeded in sending data</source>
        <translation>Succeeded in sending data</translation>
    </message>
    <message>
        <source>Getting data succeeded</source>
        <translation>Getting data succeeded</translation>
    </message>
    <message>
        <source>Failed to send data</source>
        <translation>Failed to send data</translation>
    </message>
    <message>
        <source>Failed to get data</source>
        <translation>Failed to get data</translation>
    </message>
    <message>
        <source>The user guide could not be opened</source>
        <translation>The user guide could not be opened</translation>
    </message>
</context>
</TS>
