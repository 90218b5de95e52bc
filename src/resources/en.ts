<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CopyKitFunc</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Kit</source>
        <translation>Kit</translation>
    </message>
    <message>
        <source>to Kit</source>
        <translation>to Kit</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kit Copy</source>
        <translation>Kit Copy</translation>
    </message>
</context>
<context>
    <name>CopyPadFunc</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Pad</translation>
    </message>
    <message>
        <source>to Pad</source>
        <translation>to Pad</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Pad Copy</source>
        <translation>Pad Copy</translation>
    </message>
</context>
<context>
    <name>CustomDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Export Sound</source>
        <translation>Export Sound</translation>
    </message>
    <message>
        <source>,  </source>
        <translation>,  </translation>
    </message>
    <message>
        <source>is successfully exported.</source>
        <translation>is successfully exported.</translation>
    </message>
    <message>
        <source>File location:</source>
        <translation>File location:</translation>
    </message>
</context>
<context>
    <name>DeviceDetector</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Device Unconnect(Default)</source>
        <translation>Device Unconnect(Default)</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Select Disk</source>
        <translation>Select Disk</translation>
    </message>
    <message>
        <source>%1 (not answering)</source>
        <translation>%1 (not answering)</translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>"%1" cannot be undone:</source>
        <translation>"%1" cannot be undone:</translation>
    </message>
    <message>
        <source>"%1" cannot be redone:</source>
        <translation>"%1" cannot be redone:</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>ImportTip</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>KitDocument</name>
    <message>
        <source>kit chain %1 ON</source>
        <translation>kit chain %1 ON</translation>
    </message>
    <message>
        <source>kit chains OFF</source>
        <translation>kit chains OFF</translation>
    </message>
    <message>
        <source>kit chains</source>
        <translation>kit chains</translation>
    </message>
    <message>
        <source>steps of kit chain %1 cleared</source>
        <translation>steps of kit chain %1 cleared</translation>
    </message>
    <message>
        <source>step %1 of kit chain %2</source>
        <translation>step %1 of kit chain %2</translation>
    </message>
    <message>
        <source>name of kit %1</source>
        <translation>name of kit %1</translation>
    </message>
    <message>
        <source>kit names</source>
        <translation>kit names</translation>
    </message>
    <message>
        <source>sound on pad %1 of kit %2</source>
        <translation>sound on pad %1 of kit %2</translation>
    </message>
    <message>
        <source>hi-hat sound %1 of kit %2</source>
        <translation>hi-hat sound %1 of kit %2</translation>
    </message>
    <message>
        <source>CLEAR of kit %1</source>
        <translation>CLEAR of kit %1</translation>
    </message>
    <message>
        <source>Clear of pad %1 of kit %2</source>
        <translation>Clear of pad %1 of kit %2</translation>
    </message>
    <message>
        <source>hi-hat sounds of kit %1 cleared</source>
        <translation>hi-hat sounds of kit %1 cleared</translation>
    </message>
    <message>
        <source>Kit Copy of kit %1 to kit %2</source>
        <translation>Kit Copy of kit %1 to kit %2</translation>
    </message>
    <message>
        <source>Pad Copy of pad %1 to pad %2 of kit %3</source>
        <translation>Pad Copy of pad %1 to pad %2 of kit %3</translation>
    </message>
    <message>
        <source>move of kit %1 to kit %2</source>
        <translation>move of kit %1 to kit %2</translation>
    </message>
    <message>
        <source>settings of kit %1</source>
        <translation>settings of kit %1</translation>
    </message>
    <message>
        <source>settings of pad %1 of kit %2</source>
        <translation>settings of pad %1 of kit %2</translation>
    </message>
    <message>
        <source>pad links of kit %1</source>
        <translation>pad links of kit %1</translation>
    </message>
    <message>
        <source>effect of kit %1</source>
        <translation>effect of kit %1</translation>
    </message>
    <message>
        <source>name of sound %1</source>
        <translation>name of sound %1</translation>
    </message>
    <message>
        <source>The sound %1 is gone.</source>
        <translation>The sound %1 is gone.</translation>
    </message>
    <message>
        <source>The drive of the sound %1 does not answer.</source>
        <translation>The drive of the sound %1 does not answer.</translation>
    </message>
</context>
<context>
    <name>LineEdit</name>
    <message>
        <source>Kit Copy</source>
        <translation>Kit Copy</translation>
    </message>
</context>
<context>
    <name>MainWindow1</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Preset 
 Sounds</source>
        <translation>Preset 
 Sounds</translation>
    </message>
    <message>
        <source>Pad 
 Settings </source>
        <translation>Pad 
 Settings </translation>
    </message>
    <message>
        <source>Kit 
 Chain</source>
        <translation>Kit 
 Chain</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Kit Copy</source>
        <translation>Kit Copy</translation>
    </message>
    <message>
        <source>KIT NUMBER NO.</source>
        <translation>KIT NUMBER NO.</translation>
    </message>
    <message>
        <source>Switch kit Number to the previous kit
and save the current kit settings</source>
        <translation>Switch kit Number to the previous kit
and save the current kit settings</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Switch kit Number to the specified kit
and save the current kit settings</source>
        <translation>Switch kit Number to the specified kit
and save the current kit settings</translation>
    </message>
    <message>
        <source>Switch kit Number to the next kit
and save the current kit settings</source>
        <translation>Switch kit Number to the next kit
and save the current kit settings</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>CLEAR</translation>
    </message>
    <message>
        <source>Please import one or more INI files, or one BIN file.</source>
        <translation>Please import one or more INI files, or one BIN file.</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>IMPORT</translation>
    </message>
    <message>
        <source>Save as one or more INI files, or one BIN file.</source>
        <translation>Save as one or more INI files, or one BIN file.</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;KIT CHAIN&lt;/p&gt;&lt;p&gt;FUNCTION&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;KIT CHAIN&lt;/p&gt;&lt;p&gt;FUNCTION&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>KIT CHAIN</source>
        <translation>KIT CHAIN</translation>
    </message>
    <message>
        <source>Save KIT CHAIN</source>
        <translation>Save KIT CHAIN</translation>
    </message>
    <message>
        <source>LOCAL SOUND CATEGORY</source>
        <translation>LOCAL SOUND CATEGORY</translation>
    </message>
    <message>
        <source>Create A New Category</source>
        <translation>Create A New Category</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>NEW</translation>
    </message>
    <message>
        <source>Add Sound Files</source>
        <translation>Add Sound Files</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>ADD</translation>
    </message>
    <message>
        <source>Delete Sound</source>
        <translation>Delete Sound</translation>
    </message>
    <message>
        <source>DEL </source>
        <translation>DEL </translation>
    </message>
    <message>
        <source>MY KITS</source>
        <translation>MY KITS</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>MY SOUND LIST</source>
        <translation>MY SOUND LIST</translation>
    </message>
    <message>
        <source>LED Color:</source>
        <translation>LED Color:</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>LuOrange</source>
        <translation>LuOrange</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>GreBlue</source>
        <translation>GreBlue</translation>
    </message>
    <message>
        <source>MayGreen</source>
        <translation>MayGreen</translation>
    </message>
    <message>
        <source>LigGreen</source>
        <translation>LigGreen</translation>
    </message>
    <message>
        <source>LigBlue</source>
        <translation>LigBlue</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>AntPink</source>
        <translation>AntPink</translation>
    </message>
    <message>
        <source>HtViolet</source>
        <translation>HtViolet</translation>
    </message>
    <message>
        <source>PrlViolet</source>
        <translation>PrlViolet</translation>
    </message>
    <message>
        <source>LED Hit Color:</source>
        <translation>LED Hit Color:</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD1</source>
        <translation>HiHat-Control-PAD1</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD2</source>
        <translation>HiHat-Control-PAD2</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD3</source>
        <translation>HiHat-Control-PAD3</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD4</source>
        <translation>HiHat-Control-PAD4</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD5</source>
        <translation>HiHat-Control-PAD5</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD6</source>
        <translation>HiHat-Control-PAD6</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD7</source>
        <translation>HiHat-Control-PAD7</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD8</source>
        <translation>HiHat-Control-PAD8</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD9</source>
        <translation>HiHat-Control-PAD9</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG1</source>
        <translation>HiHat-Control-TRIG1</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG2</source>
        <translation>HiHat-Control-TRIG2</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG3</source>
        <translation>HiHat-Control-TRIG3</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG4</source>
        <translation>HiHat-Control-TRIG4</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG5/TRIG6</source>
        <translation>HiHat-Control-TRIG5/TRIG6</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG7/TRIG8</source>
        <translation>HiHat-Control-TRIG7/TRIG8</translation>
    </message>
    <message>
        <source>HH Open B</source>
        <translation>HH Open B</translation>
    </message>
    <message>
        <source>HH Open A</source>
        <translation>HH Open A</translation>
    </message>
    <message>
        <source>HH Close B</source>
        <translation>HH Close B</translation>
    </message>
    <message>
        <source>HH Close A</source>
        <translation>HH Close A</translation>
    </message>
    <message>
        <source>HH Pedal </source>
        <translation>HH Pedal </translation>
    </message>
    <message>
        <source>Velocity1:</source>
        <translation>Velocity1:</translation>
    </message>
    <message>
        <source>127</source>
        <translation>127</translation>
    </message>
    <message>
        <source>Velocity2:</source>
        <translation>Velocity2:</translation>
    </message>
    <message>
        <source>99</source>
        <translation>99</translation>
    </message>
    <message>
        <source>Velocity3:</source>
        <translation>Velocity3:</translation>
    </message>
    <message>
        <source>79</source>
        <translation>79</translation>
    </message>
    <message>
        <source>Velocity4:</source>
        <translation>Velocity4:</translation>
    </message>
    <message>
        <source>39</source>
        <translation>39</translation>
    </message>
    <message>
        <source>HH Layer4:</source>
        <translation>HH Layer4:</translation>
    </message>
    <message>
        <source>Pad No.:</source>
        <translation>Pad No.:</translation>
    </message>
    <message>
        <source>Switch pad number to specified pad
and save the current pad settings</source>
        <translation>Switch pad number to specified pad
and save the current pad settings</translation>
    </message>
    <message>
        <source>PAD1</source>
        <translation>PAD1</translation>
    </message>
    <message>
        <source>PAD2</source>
        <translation>PAD2</translation>
    </message>
    <message>
        <source>PAD3</source>
        <translation>PAD3</translation>
    </message>
    <message>
        <source>PAD4</source>
        <translation>PAD4</translation>
    </message>
    <message>
        <source>PAD5</source>
        <translation>PAD5</translation>
    </message>
    <message>
        <source>PAD6</source>
        <translation>PAD6</translation>
    </message>
    <message>
        <source>PAD7</source>
        <translation>PAD7</translation>
    </message>
    <message>
        <source>PAD8</source>
        <translation>PAD8</translation>
    </message>
    <message>
        <source>PAD9</source>
        <translation>PAD9</translation>
    </message>
    <message>
        <source>TRIG1</source>
        <translation>TRIG1</translation>
    </message>
    <message>
        <source>TRIG2</source>
        <translation>TRIG2</translation>
    </message>
    <message>
        <source>TRIG3</source>
        <translation>TRIG3</translation>
    </message>
    <message>
        <source>TRIG4</source>
        <translation>TRIG4</translation>
    </message>
    <message>
        <source>TRIG5</source>
        <translation>TRIG5</translation>
    </message>
    <message>
        <source>TRIG6</source>
        <translation>TRIG6</translation>
    </message>
    <message>
        <source>TRIG7</source>
        <translation>TRIG7</translation>
    </message>
    <message>
        <source>TRIG8</source>
        <translation>TRIG8</translation>
    </message>
    <message>
        <source>FS1</source>
        <translation>FS1</translation>
    </message>
    <message>
        <source>FS2</source>
        <translation>FS2</translation>
    </message>
    <message>
        <source>MIDI NOTE#:</source>
        <translation>MIDI NOTE#:</translation>
    </message>
    <message>
        <source>MIDI Channel:</source>
        <translation>MIDI Channel:</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>11</source>
        <translation>11</translation>
    </message>
    <message>
        <source>12</source>
        <translation>12</translation>
    </message>
    <message>
        <source>13</source>
        <translation>13</translation>
    </message>
    <message>
        <source>14</source>
        <translation>14</translation>
    </message>
    <message>
        <source>15</source>
        <translation>15</translation>
    </message>
    <message>
        <source>16</source>
        <translation>16</translation>
    </message>
    <message>
        <source>Global CH</source>
        <translation>Global CH</translation>
    </message>
    <message>
        <source>MIDI GATE:</source>
        <translation>MIDI GATE:</translation>
    </message>
    <message>
        <source>Ext CTRL:</source>
        <translation>Ext CTRL:</translation>
    </message>
    <message>
        <source>PAD Output:</source>
        <translation>PAD Output:</translation>
    </message>
    <message>
        <source>Mute Group:</source>
        <translation>Mute Group:</translation>
    </message>
    <message>
        <source>Tempo Sync:</source>
        <translation>Tempo Sync:</translation>
    </message>
    <message>
        <source>Poly/Mono:</source>
        <translation>Poly/Mono:</translation>
    </message>
    <message>
        <source>Poly</source>
        <translation>Poly</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Dynamic:</source>
        <translation>Dynamic:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Wave A Only</source>
        <translation>Wave A Only</translation>
    </message>
    <message>
        <source>Wave B Only</source>
        <translation>Wave B Only</translation>
    </message>
    <message>
        <source>Simultaneously</source>
        <translation>Simultaneously</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Switch</translation>
    </message>
    <message>
        <source>Round Robin</source>
        <translation>Round Robin</translation>
    </message>
    <message>
        <source>Loop:</source>
        <translation>Loop:</translation>
    </message>
    <message>
        <source>*2</source>
        <translation>*2</translation>
    </message>
    <message>
        <source>*4</source>
        <translation>*4</translation>
    </message>
    <message>
        <source>*8</source>
        <translation>*8</translation>
    </message>
    <message>
        <source>Infinite</source>
        <translation>Infinite</translation>
    </message>
    <message>
        <source>Trig Type:</source>
        <translation>Trig Type:</translation>
    </message>
    <message>
        <source>Shot</source>
        <translation>Shot</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <source>WAVE A Name:</source>
        <translation>WAVE A Name:</translation>
    </message>
    <message>
        <source>/</source>
        <translation>/</translation>
    </message>
    <message>
        <source>WAVE A Volume:</source>
        <translation>WAVE A Volume:</translation>
    </message>
    <message>
        <source>WAVE A PAN:</source>
        <translation>WAVE A PAN:</translation>
    </message>
    <message>
        <source>L16</source>
        <translation>L16</translation>
    </message>
    <message>
        <source>L15</source>
        <translation>L15</translation>
    </message>
    <message>
        <source>L14</source>
        <translation>L14</translation>
    </message>
    <message>
        <source>L13</source>
        <translation>L13</translation>
    </message>
    <message>
        <source>L12</source>
        <translation>L12</translation>
    </message>
    <message>
        <source>L11</source>
        <translation>L11</translation>
    </message>
    <message>
        <source>L10</source>
        <translation>L10</translation>
    </message>
    <message>
        <source>L9</source>
        <translation>L9</translation>
    </message>
    <message>
        <source>L8</source>
        <translation>L8</translation>
    </message>
    <message>
        <source>L7</source>
        <translation>L7</translation>
    </message>
    <message>
        <source>L6</source>
        <translation>L6</translation>
    </message>
    <message>
        <source>L5</source>
        <translation>L5</translation>
    </message>
    <message>
        <source>L4</source>
        <translation>L4</translation>
    </message>
    <message>
        <source>L3</source>
        <translation>L3</translation>
    </message>
    <message>
        <source>L2</source>
        <translation>L2</translation>
    </message>
    <message>
        <source>L1</source>
        <translation>L1</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>R1</source>
        <translation>R1</translation>
    </message>
    <message>
        <source>R2</source>
        <translation>R2</translation>
    </message>
    <message>
        <source>R3</source>
        <translation>R3</translation>
    </message>
    <message>
        <source>R4</source>
        <translation>R4</translation>
    </message>
    <message>
        <source>R5</source>
        <translation>R5</translation>
    </message>
    <message>
        <source>R6</source>
        <translation>R6</translation>
    </message>
    <message>
        <source>R7</source>
        <translation>R7</translation>
    </message>
    <message>
        <source>R8</source>
        <translation>R8</translation>
    </message>
    <message>
        <source>R9</source>
        <translation>R9</translation>
    </message>
    <message>
        <source>R10</source>
        <translation>R10</translation>
    </message>
    <message>
        <source>R11</source>
        <translation>R11</translation>
    </message>
    <message>
        <source>R12</source>
        <translation>R12</translation>
    </message>
    <message>
        <source>R13</source>
        <translation>R13</translation>
    </message>
    <message>
        <source>R14</source>
        <translation>R14</translation>
    </message>
    <message>
        <source>R15</source>
        <translation>R15</translation>
    </message>
    <message>
        <source>R16</source>
        <translation>R16</translation>
    </message>
    <message>
        <source>WAVE A Pitch:</source>
        <translation>WAVE A Pitch:</translation>
    </message>
    <message>
        <source>WAVE A Decay:</source>
        <translation>WAVE A Decay:</translation>
    </message>
    <message>
        <source>WAVE B Name:</source>
        <translation>WAVE B Name:</translation>
    </message>
    <message>
        <source>WAVE B Volume:</source>
        <translation>WAVE B Volume:</translation>
    </message>
    <message>
        <source>WAVE B PAN:</source>
        <translation>WAVE B PAN:</translation>
    </message>
    <message>
        <source>WAVE B Pitch:</source>
        <translation>WAVE B Pitch:</translation>
    </message>
    <message>
        <source>WAVE B Decay:</source>
        <translation>WAVE B Decay:</translation>
    </message>
    <message>
        <source>Original order</source>
        <translation>Original order</translation>
    </message>
    <message>
        <source>Kit Order</source>
        <translation>Kit Order</translation>
    </message>
    <message>
        <source>cus</source>
        <translation>cus</translation>
    </message>
    <message>
        <source>DEL</source>
        <translation>DEL</translation>
    </message>
    <message>
        <source>Import Sound List</source>
        <translation>Import Sound List</translation>
    </message>
    <message>
        <source>IMP SL</source>
        <translation>IMP SL</translation>
    </message>
    <message>
        <source>Export Sound List</source>
        <translation>Export Sound List</translation>
    </message>
    <message>
        <source>EXP SL</source>
        <translation>EXP SL</translation>
    </message>
    <message>
        <source>Kit No.:</source>
        <translation>Kit No.:</translation>
    </message>
    <message>
        <source>Kit Name:</source>
        <translation>Kit Name:</translation>
    </message>
    <message>
        <source>Kit Volume:</source>
        <translation>Kit Volume:</translation>
    </message>
    <message>
        <source>Kit Click:</source>
        <translation>Kit Click:</translation>
    </message>
    <message>
        <source>Link group:</source>
        <translation>Link group:</translation>
    </message>
    <message>
        <source>Trig1</source>
        <translation>Trig1</translation>
    </message>
    <message>
        <source>Trig2</source>
        <translation>Trig2</translation>
    </message>
    <message>
        <source>Trig3</source>
        <translation>Trig3</translation>
    </message>
    <message>
        <source>Trig4</source>
        <translation>Trig4</translation>
    </message>
    <message>
        <source>Trig5</source>
        <translation>Trig5</translation>
    </message>
    <message>
        <source>Trig6</source>
        <translation>Trig6</translation>
    </message>
    <message>
        <source>Trig7</source>
        <translation>Trig7</translation>
    </message>
    <message>
        <source>Trig8</source>
        <translation>Trig8</translation>
    </message>
    <message>
        <source>Kit Effect1:</source>
        <translation>Kit Effect1:</translation>
    </message>
    <message>
        <source>THRU</source>
        <translation>THRU</translation>
    </message>
    <message>
        <source>ECHO</source>
        <translation>ECHO</translation>
    </message>
    <message>
        <source>ECHO-PITCH</source>
        <translation>ECHO-PITCH</translation>
    </message>
    <message>
        <source>PITCH SHIFT</source>
        <translation>PITCH SHIFT</translation>
    </message>
    <message>
        <source>PING PONG</source>
        <translation>PING PONG</translation>
    </message>
    <message>
        <source>REV1</source>
        <translation>REV1</translation>
    </message>
    <message>
        <source>REV2</source>
        <translation>REV2</translation>
    </message>
    <message>
        <source>REV3</source>
        <translation>REV3</translation>
    </message>
    <message>
        <source>LARGE PLATE</source>
        <translation>LARGE PLATE</translation>
    </message>
    <message>
        <source>SMALL PLATE</source>
        <translation>SMALL PLATE</translation>
    </message>
    <message>
        <source>TIGHT PLATE</source>
        <translation>TIGHT PLATE</translation>
    </message>
    <message>
        <source>GATED</source>
        <translation>GATED</translation>
    </message>
    <message>
        <source>PA VOCAL</source>
        <translation>PA VOCAL</translation>
    </message>
    <message>
        <source>CHORUS</source>
        <translation>CHORUS</translation>
    </message>
    <message>
        <source>FLANGER</source>
        <translation>FLANGER</translation>
    </message>
    <message>
        <source>REV-TREMOLO</source>
        <translation>REV-TREMOLO</translation>
    </message>
    <message>
        <source>REV-FLANGE</source>
        <translation>REV-FLANGE</translation>
    </message>
    <message>
        <source>REV-CHORUS</source>
        <translation>REV-CHORUS</translation>
    </message>
    <message>
        <source>REV-KEY</source>
        <translation>REV-KEY</translation>
    </message>
    <message>
        <source>DANCE-P-L</source>
        <translation>DANCE-P-L</translation>
    </message>
    <message>
        <source>DANCE-H-L</source>
        <translation>DANCE-H-L</translation>
    </message>
    <message>
        <source>DANCE-FLA-L</source>
        <translation>DANCE-FLA-L</translation>
    </message>
    <message>
        <source>RMS SOFT KNEE</source>
        <translation>RMS SOFT KNEE</translation>
    </message>
    <message>
        <source>ACT XOVER</source>
        <translation>ACT XOVER</translation>
    </message>
    <message>
        <source>Effect1 No.:</source>
        <translation>Effect1 No.:</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Effect1 Ctrl1:</source>
        <translation>Effect1 Ctrl1:</translation>
    </message>
    <message>
        <source>Effect1 Ctrl2:</source>
        <translation>Effect1 Ctrl2:</translation>
    </message>
    <message>
        <source>Effect1 Ctrl3:</source>
        <translation>Effect1 Ctrl3:</translation>
    </message>
    <message>
        <source>Kit Effect2:</source>
        <translation>Kit Effect2:</translation>
    </message>
    <message>
        <source>Effect2 No.:</source>
        <translation>Effect2 No.:</translation>
    </message>
    <message>
        <source>Effect2 Ctrl1:</source>
        <translation>Effect2 Ctrl1:</translation>
    </message>
    <message>
        <source>Effect2 Ctrl2:</source>
        <translation>Effect2 Ctrl2:</translation>
    </message>
    <message>
        <source>Effect2 Ctrl3:</source>
        <translation>Effect2 Ctrl3:</translation>
    </message>
    <message>
        <source>Kit Effect3:</source>
        <translation>Kit Effect3:</translation>
    </message>
    <message>
        <source>Effect3 No.:</source>
        <translation>Effect3 No.:</translation>
    </message>
    <message>
        <source>Effect3 Ctrl1:</source>
        <translation>Effect3 Ctrl1:</translation>
    </message>
    <message>
        <source>Effect3 Ctrl2:</source>
        <translation>Effect3 Ctrl2:</translation>
    </message>
    <message>
        <source>Effect3 Ctrl3:</source>
        <translation>Effect3 Ctrl3:</translation>
    </message>
    <message>
        <source>Master Effect:</source>
        <translation>Master Effect:</translation>
    </message>
    <message>
        <source>REV_TREMELO</source>
        <translation>REV_TREMELO</translation>
    </message>
    <message>
        <source>REV_FLANGE</source>
        <translation>REV_FLANGE</translation>
    </message>
    <message>
        <source>REV_CHORUS</source>
        <translation>REV_CHORUS</translation>
    </message>
    <message>
        <source>Effect4 No.:</source>
        <translation>Effect4 No.:</translation>
    </message>
    <message>
        <source>Effect4 Ctrl1:</source>
        <translation>Effect4 Ctrl1:</translation>
    </message>
    <message>
        <source>Effect4 Ctrl2:</source>
        <translation>Effect4 Ctrl2:</translation>
    </message>
    <message>
        <source>Effect4 Ctrl3:</source>
        <translation>Effect4 Ctrl3:</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>SAMPLE</source>
        <translation>SAMPLE</translation>
    </message>
    <message>
        <source>00:00</source>
        <translation>00:00</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>1.01</source>
        <translation>1.01</translation>
    </message>
    <message>
        <source>BackUp Identifier:</source>
        <translation>BackUp Identifier:</translation>
    </message>
    <message>
        <source>BACKUP</source>
        <translation>BACKUP</translation>
    </message>
    <message>
        <source>Editing Effect:</source>
        <translation>Editing Effect:</translation>
    </message>
    <message>
        <source>Effect OFF:</source>
        <translation>Effect OFF:</translation>
    </message>
    <message>
        <source>17</source>
        <translation>17</translation>
    </message>
    <message>
        <source>18</source>
        <translation>18</translation>
    </message>
    <message>
        <source>19</source>
        <translation>19</translation>
    </message>
    <message>
        <source>20</source>
        <translation>20</translation>
    </message>
    <message>
        <source>21</source>
        <translation>21</translation>
    </message>
    <message>
        <source>22</source>
        <translation>22</translation>
    </message>
    <message>
        <source>23</source>
        <translation>23</translation>
    </message>
    <message>
        <source>24</source>
        <translation>24</translation>
    </message>
    <message>
        <source>25</source>
        <translation>25</translation>
    </message>
    <message>
        <source>26</source>
        <translation>26</translation>
    </message>
    <message>
        <source>27</source>
        <translation>27</translation>
    </message>
    <message>
        <source>28</source>
        <translation>28</translation>
    </message>
    <message>
        <source>29</source>
        <translation>29</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>31</source>
        <translation>31</translation>
    </message>
    <message>
        <source>32</source>
        <translation>32</translation>
    </message>
    <message>
        <source>33</source>
        <translation>33</translation>
    </message>
    <message>
        <source>34</source>
        <translation>34</translation>
    </message>
    <message>
        <source>35</source>
        <translation>35</translation>
    </message>
    <message>
        <source>36</source>
        <translation>36</translation>
    </message>
    <message>
        <source>37</source>
        <translation>37</translation>
    </message>
    <message>
        <source>38</source>
        <translation>38</translation>
    </message>
    <message>
        <source>40</source>
        <translation>40</translation>
    </message>
    <message>
        <source>41</source>
        <translation>41</translation>
    </message>
    <message>
        <source>42</source>
        <translation>42</translation>
    </message>
    <message>
        <source>43</source>
        <translation>43</translation>
    </message>
    <message>
        <source>44</source>
        <translation>44</translation>
    </message>
    <message>
        <source>45</source>
        <translation>45</translation>
    </message>
    <message>
        <source>46</source>
        <translation>46</translation>
    </message>
    <message>
        <source>47</source>
        <translation>47</translation>
    </message>
    <message>
        <source>48</source>
        <translation>48</translation>
    </message>
    <message>
        <source>49</source>
        <translation>49</translation>
    </message>
    <message>
        <source>50</source>
        <translation>50</translation>
    </message>
    <message>
        <source>51</source>
        <translation>51</translation>
    </message>
    <message>
        <source>52</source>
        <translation>52</translation>
    </message>
    <message>
        <source>53</source>
        <translation>53</translation>
    </message>
    <message>
        <source>54</source>
        <translation>54</translation>
    </message>
    <message>
        <source>55</source>
        <translation>55</translation>
    </message>
    <message>
        <source>56</source>
        <translation>56</translation>
    </message>
    <message>
        <source>57</source>
        <translation>57</translation>
    </message>
    <message>
        <source>58</source>
        <translation>58</translation>
    </message>
    <message>
        <source>59</source>
        <translation>59</translation>
    </message>
    <message>
        <source>60</source>
        <translation>60</translation>
    </message>
    <message>
        <source>61</source>
        <translation>61</translation>
    </message>
    <message>
        <source>62</source>
        <translation>62</translation>
    </message>
    <message>
        <source>63</source>
        <translation>63</translation>
    </message>
    <message>
        <source>64</source>
        <translation>64</translation>
    </message>
    <message>
        <source>Effect No:</source>
        <translation>Effect No:</translation>
    </message>
    <message>
        <source>Effect Ctrl1:</source>
        <translation>Effect Ctrl1:</translation>
    </message>
    <message>
        <source>Effect Crtl2:</source>
        <translation>Effect Crtl2:</translation>
    </message>
    <message>
        <source>Effect Crtl3:</source>
        <translation>Effect Crtl3:</translation>
    </message>
    <message>
        <source>Audio:</source>
        <translation>Audio:</translation>
    </message>
    <message>
        <source>Audio in volume:</source>
        <translation>Audio in volume:</translation>
    </message>
    <message>
        <source>BT Audio volume:</source>
        <translation>BT Audio volume:</translation>
    </message>
    <message>
        <source>Systan Gain:</source>
        <translation>Systan Gain:</translation>
    </message>
    <message>
        <source>Audio Output:</source>
        <translation>Audio Output:</translation>
    </message>
    <message>
        <source>MIDI:</source>
        <translation>MIDI:</translation>
    </message>
    <message>
        <source>Global CH:</source>
        <translation>Global CH:</translation>
    </message>
    <message>
        <source>EXT CTRL:</source>
        <translation>EXT CTRL:</translation>
    </message>
    <message>
        <source>MIDI SYNC:</source>
        <translation>MIDI SYNC:</translation>
    </message>
    <message>
        <source>SOFT THRU:</source>
        <translation>SOFT THRU:</translation>
    </message>
    <message>
        <source>PC SW:</source>
        <translation>PC SW:</translation>
    </message>
    <message>
        <source>CC SW:</source>
        <translation>CC SW:</translation>
    </message>
    <message>
        <source>FX Ctrl1 CC:</source>
        <translation>FX Ctrl1 CC:</translation>
    </message>
    <message>
        <source>71</source>
        <translation>71</translation>
    </message>
    <message>
        <source>FX Ctrl2 CC:</source>
        <translation>FX Ctrl2 CC:</translation>
    </message>
    <message>
        <source>72</source>
        <translation>72</translation>
    </message>
    <message>
        <source>Sensivity:</source>
        <translation>Sensivity:</translation>
    </message>
    <message>
        <source>Curve:</source>
        <translation>Curve:</translation>
    </message>
    <message>
        <source>linear</source>
        <translation>linear</translation>
    </message>
    <message>
        <source>Mask Time:</source>
        <translation>Mask Time:</translation>
    </message>
    <message>
        <source>Retrig Level:</source>
        <translation>Retrig Level:</translation>
    </message>
    <message>
        <source>Anti-cross:</source>
        <translation>Anti-cross:</translation>
    </message>
    <message>
        <source>Rim Gain(Threshold):</source>
        <translation>Rim Gain(Threshold):</translation>
    </message>
    <message>
        <source>Dynamic Range:</source>
        <translation>Dynamic Range:</translation>
    </message>
    <message>
        <source>LCD/LED:</source>
        <translation>LCD/LED:</translation>
    </message>
    <message>
        <source>LCD Contrast:</source>
        <translation>LCD Contrast:</translation>
    </message>
    <message>
        <source>LED Type:</source>
        <translation>LED Type:</translation>
    </message>
    <message>
        <source>Type1</source>
        <translation>Type1</translation>
    </message>
    <message>
        <source>Type2</source>
        <translation>Type2</translation>
    </message>
    <message>
        <source>LED LOGO:</source>
        <translation>LED LOGO:</translation>
    </message>
    <message>
        <source>ColorFul</source>
        <translation>ColorFul</translation>
    </message>
    <message>
        <source>Tempo Indicate:</source>
        <translation>Tempo Indicate:</translation>
    </message>
    <message>
        <source>Rec Level:</source>
        <translation>Rec Level:</translation>
    </message>
    <message>
        <source>Auto State:</source>
        <translation>Auto State:</translation>
    </message>
    <message>
        <source>Loop Click:</source>
        <translation>Loop Click:</translation>
    </message>
    <message>
        <source>Loop Qtz:</source>
        <translation>Loop Qtz:</translation>
    </message>
    <message>
        <source>Loop Meas:</source>
        <translation>Loop Meas:</translation>
    </message>
    <message>
        <source>Loop Meas Index:</source>
        <translation>Loop Meas Index:</translation>
    </message>
    <message>
        <source>Rec Pad:</source>
        <translation>Rec Pad:</translation>
    </message>
    <message>
        <source>Click Sound No.:</source>
        <translation>Click Sound No.:</translation>
    </message>
    <message>
        <source>Click Sound Name:</source>
        <translation>Click Sound Name:</translation>
    </message>
    <message>
        <source>beat:</source>
        <translation>beat:</translation>
    </message>
    <message>
        <source>Click Pan:</source>
        <translation>Click Pan:</translation>
    </message>
    <message>
        <source>Click Volume:</source>
        <translation>Click Volume:</translation>
    </message>
    <message>
        <source>Click Output:</source>
        <translation>Click Output:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Sound Kit Interface</source>
        <translation>Sound Kit Interface</translation>
    </message>
    <message>
        <source>Back to Main Interface</source>
        <translation>Back to Main Interface</translation>
    </message>
    <message>
        <source>About Korvanta</source>
        <translation>About Korvanta</translation>
    </message>
    <message>
        <source>Export sound library</source>
        <translation>Export sound library</translation>
    </message>
    <message>
        <source>Import sound library</source>
        <translation>Import sound library</translation>
    </message>
    <message>
        <source>Global Setting Interface</source>
        <translation>Global Setting Interface</translation>
    </message>
    <message>
        <source>Renumber</source>
        <translation>Renumber</translation>
    </message>
    <message>
        <source>Device Unconnect(Default)</source>
        <translation>Device Unconnect(Default)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>The current disk is not the sampler pad.</source>
        <translation>The current disk is not the sampler pad.</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Failed to create temporary directory!</source>
        <translation>Failed to create temporary directory!</translation>
    </message>
    <message>
        <source>ASC</source>
        <translation>ASC</translation>
    </message>
    <message>
        <source>DESC</source>
        <translation>DESC</translation>
    </message>
    <message>
        <source>Ascending Order</source>
        <translation>Ascending Order</translation>
    </message>
    <message>
        <source>Descending Order</source>
        <translation>Descending Order</translation>
    </message>
    <message>
        <source>KIT</source>
        <translation>KIT</translation>
    </message>
    <message>
        <source>DEFAULT</source>
        <translation>DEFAULT</translation>
    </message>
    <message>
        <source>KIT CHIAN </source>
        <translation>KIT CHIAN </translation>
    </message>
    <message>
        <source>FUNCTION</source>
        <translation>FUNCTION</translation>
    </message>
    <message>
        <source>Sound Kit Setting</source>
        <translation>Sound Kit Setting</translation>
    </message>
    <message>
        <source>HH Setting</source>
        <translation>HH Setting</translation>
    </message>
    <message>
        <source>Pad Setting</source>
        <translation>Pad Setting</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Metronome Setting:</source>
        <translation>Metronome Setting:</translation>
    </message>
    <message>
        <source>Metronome Sound List:</source>
        <translation>Metronome Sound List:</translation>
    </message>
    <message>
        <source>Import click sound</source>
        <translation>Import click sound</translation>
    </message>
    <message>
        <source>Delete click sound</source>
        <translation>Delete click sound</translation>
    </message>
    <message>
        <source>Export Global</source>
        <translation>Export Global</translation>
    </message>
    <message>
        <source>Pad Copy </source>
        <translation>Pad Copy </translation>
    </message>
    <message>
        <source>Clear Assignments</source>
        <translation>Clear Assignments</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Quit?</source>
        <translation>Quit?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Deleting group name is not supported.</source>
        <translation>Deleting group name is not supported.</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Failed to generate file.</source>
        <translation>Failed to generate file.</translation>
    </message>
    <message>
        <source>File location:</source>
        <translation>File location:</translation>
    </message>
    <message>
        <source>successfully saved.</source>
        <translation>successfully saved.</translation>
    </message>
    <message>
        <source>The file has been generated:</source>
        <translation>The file has been generated:</translation>
    </message>
    <message>
        <source> does not exist.</source>
        <translation> does not exist.</translation>
    </message>
    <message>
        <source>Please check path:</source>
        <translation>Please check path:</translation>
    </message>
    <message>
        <source>Except for the option 'OFF', the link1 parameter must not be the same as the link2 parameter.</source>
        <translation>Except for the option 'OFF', the link1 parameter must not be the same as the link2 parameter.</translation>
    </message>
    <message>
        <source>Except for the option 'OFF', the link2 parameter must not be the same as the link1 parameter.</source>
        <translation>Except for the option 'OFF', the link2 parameter must not be the same as the link1 parameter.</translation>
    </message>
    <message>
        <source>Invalid Value</source>
        <translation>Invalid Value</translation>
    </message>
    <message>
        <source>Value must be between 0 and 511.</source>
        <translation>Value must be between 0 and 511.</translation>
    </message>
    <message>
        <source>The kit number can not be blank.</source>
        <translation>The kit number can not be blank.</translation>
    </message>
    <message>
        <source>The range of kit number is 1~100.</source>
        <translation>The range of kit number is 1~100.</translation>
    </message>
    <message>
        <source>Kit name can't be blank!</source>
        <translation>Kit name can't be blank!</translation>
    </message>
    <message>
        <source>The kit name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:</source>
        <translation>The kit name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:</translation>
    </message>
    <message>
        <source>The maximum number of kit name's character can't exceed 10!</source>
        <translation>The maximum number of kit name's character can't exceed 10!</translation>
    </message>
    <message>
        <source>HH Pedal</source>
        <translation>HH Pedal</translation>
    </message>
    <message>
        <source>Mix</source>
        <translation>Mix</translation>
    </message>
    <message>
        <source>Fade</source>
        <translation>Fade</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Fail to read kit file, import failed.</source>
        <translation>Fail to read kit file, import failed.</translation>
    </message>
    <message>
        <source>Kit </source>
        <translation>Kit </translation>
    </message>
    <message>
        <source>is automatically renamed, as it exceeds 10 characters or contains special symbol.</source>
        <translation>is automatically renamed, as it exceeds 10 characters or contains special symbol.</translation>
    </message>
    <message>
        <source>are automatically renamed, as they exceed 10 characters or contain special symbol.</source>
        <translation>are automatically renamed, as they exceed 10 characters or contain special symbol.</translation>
    </message>
    <message>
        <source>Fail to read file, import failed.</source>
        <translation>Fail to read file, import failed.</translation>
    </message>
    <message>
        <source>The sound of number </source>
        <translation>The sound of number </translation>
    </message>
    <message>
        <source> in the wave list is incorrect.</source>
        <translation type="vanished"> in the wave list is incorrect.</translation>
    </message>
    <message>
        <source>Read wave prm file failed, import failed.</source>
        <translation>Read wave prm file failed, import failed.</translation>
    </message>
    <message>
        <source>The number of sound can not exceed 9999.</source>
        <translation>The number of sound can not exceed 9999.</translation>
    </message>
    <message>
        <source>The </source>
        <translation>The </translation>
    </message>
    <message>
        <source>item is automatically renamed, as it exceeds 16 characters or ends with special symbol.</source>
        <translation>item is automatically renamed, as it exceeds 16 characters or ends with special symbol.</translation>
    </message>
    <message>
        <source>item are automatically renamed, as they exceed 16 characters or end with special symbol.</source>
        <translation>item are automatically renamed, as they exceed 16 characters or end with special symbol.</translation>
    </message>
    <message>
        <source> is stored more than once on the sampler pad.</source>
        <translation> is stored more than once on the sampler pad.</translation>
    </message>
    <message>
        <source>The sounds on the sampler pad could not be renumbered; they keep their numbers.</source>
        <translation>The sounds on the sampler pad could not be renumbered; they keep their numbers.</translation>
    </message>
    <message>
        <source>Failed to create the folder.</source>
        <translation>Failed to create the folder.</translation>
    </message>
    <message>
        <source>Folder Location: </source>
        <translation>Folder Location: </translation>
    </message>
    <message>
        <source>Missing some files for the program!</source>
        <translation>Missing some files for the program!</translation>
    </message>
    <message>
        <source>Wrong data in file：</source>
        <translation>Wrong data in file：</translation>
    </message>
    <message>
        <source>The 350 device was disconnected.</source>
        <translation>The 350 device was disconnected.</translation>
    </message>
    <message>
        <source>Failed to save file.</source>
        <translation>Failed to save file.</translation>
    </message>
    <message>
        <source>Disconnect the 350 device.</source>
        <translation>Disconnect the 350 device.</translation>
    </message>
    <message>
        <source>When using the online mode of Korvanta again,</source>
        <translation>When using the online mode of Korvanta again,</translation>
    </message>
    <message>
        <source>reconnect the USB cable.</source>
        <translation>reconnect the USB cable.</translation>
    </message>
    <message>
        <source>The sampler pad could not be ejected. Eject it in the system before you unplug it.</source>
        <translation>The sampler pad could not be ejected. Eject it in the system before you unplug it.</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Open Error</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad.</source>
        <translation>was not saved to the sampler pad.</translation>
    </message>
    <message>
        <source>were not saved to the sampler pad.</source>
        <translation>were not saved to the sampler pad.</translation>
    </message>
    <message>
        <source>Open error.</source>
        <translation>Open error.</translation>
    </message>
    <message>
        <source>Create a new category</source>
        <translation>Create a new category</translation>
    </message>
    <message>
        <source>Please enter name for the category.</source>
        <translation>Please enter name for the category.</translation>
    </message>
    <message>
        <source>New category name can't be blank.</source>
        <translation>New category name can't be blank.</translation>
    </message>
    <message>
        <source>Tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>The category already exists, please recreate a new category.</source>
        <translation>The category already exists, please recreate a new category.</translation>
    </message>
    <message>
        <source>The selected sound category is not valid.</source>
        <translation>The selected sound category is not valid.</translation>
    </message>
    <message>
        <source>Choose a category to add sounds.</source>
        <translation>Choose a category to add sounds.</translation>
    </message>
    <message>
        <source>Select file to add</source>
        <translation>Select file to add</translation>
    </message>
    <message>
        <source>Choose no file!</source>
        <translation>Choose no file!</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Some files already exist. Do you want to add duplicate files?</source>
        <translation>Some files already exist. Do you want to add duplicate files?</translation>
    </message>
    <message>
        <source>Some files already exist. Don't support to add duplicate files!</source>
        <translation>Some files already exist. Don't support to add duplicate files!</translation>
    </message>
    <message>
        <source>Sound name can't be blank!</source>
        <translation>Sound name can't be blank!</translation>
    </message>
    <message>
        <source>The sound name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:</source>
        <translation>The sound name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:</translation>
    </message>
    <message>
        <source>The maximum number of sound name's character can't exceed 16!</source>
        <translation>The maximum number of sound name's character can't exceed 16!</translation>
    </message>
    <message>
        <source>Adding the sound of a sampler pad is not supported. File location: </source>
        <translation>Adding the sound of a sampler pad is not supported. File location: </translation>
    </message>
    <message>
        <source>The list is full. Please delete some metronome sounds before importing more.</source>
        <translation>The list is full. Please delete some metronome sounds before importing more.</translation>
    </message>
    <message>
        <source>Obtain click sound files</source>
        <translation>Obtain click sound files</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>Waring</translation>
    </message>
    <message>
        <source>Only supports importing up to 5 metronome sounds.</source>
        <translation>Only supports importing up to 5 metronome sounds.</translation>
    </message>
    <message>
        <source>The list capacity is 5. Please import metronome sounds  up to the maximum capacity based on the list's limit.</source>
        <translation>The list capacity is 5. Please import metronome sounds  up to the maximum capacity based on the list's limit.</translation>
    </message>
    <message>
        <source>The sound length is less than 4KB and does not support import.</source>
        <translation>The sound length is less than 4KB and does not support import.</translation>
    </message>
    <message>
        <source>Metronome Sound Group</source>
        <translation>Metronome Sound Group</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Play error!</source>
        <translation>Play error!</translation>
    </message>
    <message>
        <source>File error!</source>
        <translation>File error!</translation>
    </message>
    <message>
        <source>sound exists in Kit </source>
        <translation>sound exists in Kit </translation>
    </message>
    <message>
        <source>If you want to delete a sound, please find it in the right list and press 'OK' to confirm.</source>
        <translation>If you want to delete a sound, please find it in the right list and press 'OK' to confirm.</translation>
    </message>
    <message>
        <source>File not found:</source>
        <translation>File not found:</translation>
    </message>
    <message>
        <source>File Location: </source>
        <translation>File Location: </translation>
    </message>
    <message>
        <source>This sound is not in wave format.</source>
        <translation>This sound is not in wave format.</translation>
    </message>
    <message>
        <source>This sound is not in wave format</source>
        <translation>This sound is not in wave format</translation>
    </message>
    <message>
        <source>The file has been modified. The target sound was not found.</source>
        <translation>The file has been modified. The target sound was not found.</translation>
    </message>
    <message>
        <source>Open file error.</source>
        <translation>Open file error.</translation>
    </message>
    <message>
        <source>Open sound file error.</source>
        <translation>Open sound file error.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> and </translation>
    </message>
    <message>
        <source>and </source>
        <translation>and </translation>
    </message>
    <message>
        <source>The file size exceeds 4GB, import failed.</source>
        <translation>The file size exceeds 4GB, import failed.</translation>
    </message>
    <message>
        <source>The file size exceeds 4GB, import failed. </source>
        <translation>The file size exceeds 4GB, import failed. </translation>
    </message>
    <message>
        <source>File data error!</source>
        <translation>File data error!</translation>
    </message>
    <message>
        <source>The imported kit file version is outdated. Please import new version file.</source>
        <translation>The imported kit file version is outdated. Please import new version file.</translation>
    </message>
    <message>
        <source>Sound data format error, import failed.</source>
        <translation>Sound data format error, import failed.</translation>
    </message>
    <message>
        <source>File location: </source>
        <translation>File location: </translation>
    </message>
    <message>
        <source>The number of Click sound must be 5.</source>
        <translation>The number of Click sound must be 5.</translation>
    </message>
    <message>
        <source>There is an error with the sound file path for Kit. </source>
        <translation>There is an error with the sound file path for Kit. </translation>
    </message>
    <message>
        <source>There is an error with the sound file path for Kit </source>
        <translation>There is an error with the sound file path for Kit </translation>
    </message>
    <message>
        <source>The file has been modified. Export failed.</source>
        <translation>The file has been modified. Export failed.</translation>
    </message>
    <message>
        <source>File error:</source>
        <translation>File error:</translation>
    </message>
    <message>
        <source>The file size exceeds 4GB, save failed.</source>
        <translation>The file size exceeds 4GB, save failed.</translation>
    </message>
    <message>
        <source>Please stop playing the music before importing or saving the file.</source>
        <translation>Please stop playing the music before importing or saving the file.</translation>
    </message>
    <message>
        <source>The old file could not be replaced:</source>
        <translation>The old file could not be replaced:</translation>
    </message>
    <message>
        <source>The new file is kept as:</source>
        <translation>The new file is kept as:</translation>
    </message>
    <message>
        <source>The target is not a regular file (a folder, pipe or device), so nothing is saved:</source>
        <translation>The target is not a regular file (a folder, pipe or device), so nothing is saved:</translation>
    </message>
    <message>
        <source>The written file does not read back as a kit file, so it is not saved:</source>
        <translation>The written file does not read back as a kit file, so it is not saved:</translation>
    </message>
    <message>
        <source>Please import file which is generated by Korvanta.</source>
        <translation>Please import file which is generated by Korvanta.</translation>
    </message>
    <message>
        <source>In USB device mode, import files are not supported.</source>
        <translation>In USB device mode, import files are not supported.</translation>
    </message>
    <message>
        <source>*Note*</source>
        <translation>*Note*</translation>
    </message>
    <message>
        <source>Importing a new file will delete the corresponding loaded file.</source>
        <translation>Importing a new file will delete the corresponding loaded file.</translation>
    </message>
    <message>
        <source>Are you sure to continue?</source>
        <translation>Are you sure to continue?</translation>
    </message>
    <message>
        <source>Select file.</source>
        <translation>Select file.</translation>
    </message>
    <message>
        <source>No file data is selected!</source>
        <translation>No file data is selected!</translation>
    </message>
    <message>
        <source>The format of forder is error.</source>
        <translation>The format of forder is error.</translation>
    </message>
    <message>
        <source>Select one or more files to open, please note only one binary file can be selected.</source>
        <translation>Select one or more files to open, please note only one binary file can be selected.</translation>
    </message>
    <message>
        <source>Only one binary file can be selected.</source>
        <translation>Only one binary file can be selected.</translation>
    </message>
    <message>
        <source>Output to specified directory</source>
        <translation>Output to specified directory</translation>
    </message>
    <message>
        <source>Please switch to the global configuration interface and import 5 metronome sounds.</source>
        <translation>Please switch to the global configuration interface and import 5 metronome sounds.</translation>
    </message>
    <message>
        <source>The output file is not set.</source>
        <translation>The output file is not set.</translation>
    </message>
    <message>
        <source>The file already exists. Do you confirm to overwrite it?</source>
        <translation>The file already exists. Do you confirm to overwrite it?</translation>
    </message>
    <message>
        <source>File is being generated...</source>
        <translation>File is being generated...</translation>
    </message>
    <message>
        <source> open error.</source>
        <translation> open error.</translation>
    </message>
    <message>
        <source>Obtain sound file error.</source>
        <translation>Obtain sound file error.</translation>
    </message>
    <message>
        <source>Fail to open file!</source>
        <translation>Fail to open file!</translation>
    </message>
    <message>
        <source>Invalid data file!</source>
        <translation>Invalid data file!</translation>
    </message>
    <message>
        <source>The file is being generated...</source>
        <translation>The file is being generated...</translation>
    </message>
    <message>
        <source>Error in obtaining sound, the saving is failed.</source>
        <translation>Error in obtaining sound, the saving is failed.</translation>
    </message>
    <message>
        <source>Failed to write sound data!</source>
        <translation>Failed to write sound data!</translation>
    </message>
    <message>
        <source>Saving file...</source>
        <translation>Saving file...</translation>
    </message>
    <message>
        <source>The files are loading...</source>
        <translation>The files are loading...</translation>
    </message>
    <message>
        <source>The sounds  of the sampler pad have been cleared. Entering online mode is prohibited</source>
        <translation>The sounds  of the sampler pad have been cleared. Entering online mode is prohibited</translation>
    </message>
    <message>
        <source>Import failed.</source>
        <translation>Import failed.</translation>
    </message>
    <message>
        <source>Importing sound file...</source>
        <translation>Importing sound file...</translation>
    </message>
    <message>
        <source>These sounds could not be written to the sampler pad and were not added:</source>
        <translation>These sounds could not be written to the sampler pad and were not added:</translation>
    </message>
    <message>
        <source>Deleting locked sound is not supported!</source>
        <translation>Deleting locked sound is not supported!</translation>
    </message>
    <message>
        <source>Deleting sound file......</source>
        <translation>Deleting sound file......</translation>
    </message>
    <message>
        <source>Deleting sound group is not supported!</source>
        <translation>Deleting sound group is not supported!</translation>
    </message>
    <message>
        <source> exists in Kit </source>
        <translation> exists in Kit </translation>
    </message>
    <message>
        <source>Deleting the sound is not supported.</source>
        <translation>Deleting the sound is not supported.</translation>
    </message>
    <message>
        <source>Please clear the sound on the pad.</source>
        <translation>Please clear the sound on the pad.</translation>
    </message>
    <message>
        <source>Deleting pkit file is not supported!</source>
        <translation>Deleting pkit file is not supported!</translation>
    </message>
    <message>
        <source>Deleting the 'Default' group is not supported.</source>
        <translation>Deleting the 'Default' group is not supported.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Are you sure to delete it?</source>
        <translation>Are you sure to delete it?</translation>
    </message>
    <message>
        <source>Failed to read the file.</source>
        <translation>Failed to read the file.</translation>
    </message>
    <message>
        <source>Exporting locked sound is not supported!</source>
        <translation>Exporting locked sound is not supported!</translation>
    </message>
    <message>
        <source>The output file path is not set.</source>
        <translation>The output file path is not set.</translation>
    </message>
    <message>
        <source>The file is being exported...</source>
        <translation>The file is being exported...</translation>
    </message>
    <message>
        <source>It is detected that the number of files with the same name has exceeded 100, and the exceeding part will not be exported.</source>
        <translation>It is detected that the number of files with the same name has exceeded 100, and the exceeding part will not be exported.</translation>
    </message>
    <message>
        <source>The export of sound group name is not supported, </source>
        <translation>The export of sound group name is not supported, </translation>
    </message>
    <message>
        <source>but this will not affect the sound export.</source>
        <translation>but this will not affect the sound export.</translation>
    </message>
    <message>
        <source>Error:0012</source>
        <translation>Error:0012</translation>
    </message>
    <message>
        <source>In USB device mode, the sound lock function is not supported</source>
        <translation>In USB device mode, the sound lock function is not supported</translation>
    </message>
    <message>
        <source>In USB device mode, the sound unlock function is not supported</source>
        <translation>In USB device mode, the sound unlock function is not supported</translation>
    </message>
    <message>
        <source>Sound list can not be blank while performing an export operation.</source>
        <translation>Sound list can not be blank while performing an export operation.</translation>
    </message>
    <message>
        <source>successfully exported.</source>
        <translation>successfully exported.</translation>
    </message>
    <message>
        <source>File Location:</source>
        <translation>File Location:</translation>
    </message>
    <message>
        <source>MY SOUND LIST can not be blank while performing an import operation.</source>
        <translation>MY SOUND LIST can not be blank while performing an import operation.</translation>
    </message>
    <message>
        <source>Select the wave sort txt file.</source>
        <translation>Select the wave sort txt file.</translation>
    </message>
    <message>
        <source>The number of waves in the imported file is not equal to sound list. Import failed!</source>
        <translation>The number of waves in the imported file is not equal to sound list. Import failed!</translation>
    </message>
    <message>
        <source>Unable to find sound information in the sound list. Import failed!</source>
        <translation>Unable to find sound information in the sound list. Import failed!</translation>
    </message>
    <message>
        <source>Group name can't be blank!</source>
        <translation>Group name can't be blank!</translation>
    </message>
    <message>
        <source>Creating duplicate group name is not supported.</source>
        <translation>Creating duplicate group name is not supported.</translation>
    </message>
    <message>
        <source>Kit No.</source>
        <translation>Kit No.</translation>
    </message>
    <message>
        <source>Kit List</source>
        <translation>Kit List</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Complete</translation>
    </message>
    <message>
        <source>Copy completed.</source>
        <translation>Copy completed.</translation>
    </message>
    <message>
        <source>The default browser failed to open it.</source>
        <translation>The default browser failed to open it.</translation>
    </message>
    <message>
        <source>Korvanta stays open without the 350 device and keeps your edits.</source>
        <translation>Korvanta stays open without the 350 device and keeps your edits.</translation>
    </message>
    <message>
        <source>Checking the sound files...</source>
        <translation>Checking the sound files...</translation>
    </message>
    <message>
        <source>The following files are not readable audio and were not added:</source>
        <translation>The following files are not readable audio and were not added:</translation>
    </message>
    <message>
        <source>A pad's sound is not in the sound list, so the file is not saved:</source>
        <translation>A pad's sound is not in the sound list, so the file is not saved:</translation>
    </message>
    <message>
        <source>A sound cannot be converted, so the file is not saved:</source>
        <translation>A sound cannot be converted, so the file is not saved:</translation>
    </message>
    <message>
        <source>Used by Kit </source>
        <translation>Used by Kit </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source> (the change file replaces this link when the pad is written at close)</source>
        <translation> (the change file replaces this link when the pad is written at close)</translation>
    </message>
    <message>
        <source>These entries of the sampler pad are links and were left out; the editor reads nothing and writes nothing through them:</source>
        <translation>These entries of the sampler pad are links and were left out; the editor reads nothing and writes nothing through them:</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad: it changed on the pad since it was loaded.</source>
        <translation>was not saved to the sampler pad: it changed on the pad since it was loaded.</translation>
    </message>
    <message>
        <source>were not saved to the sampler pad: they changed on the pad since it was loaded.</source>
        <translation>were not saved to the sampler pad: they changed on the pad since it was loaded.</translation>
    </message>
    <message>
        <source>The kit chains were not saved to the sampler pad: they changed on the pad since it was loaded.</source>
        <translation>The kit chains were not saved to the sampler pad: they changed on the pad since it was loaded.</translation>
    </message>
    <message>
        <source>The change file alter.ini was not saved: the sampler pad changed since it was loaded.</source>
        <translation>The change file alter.ini was not saved: the sampler pad changed since it was loaded.</translation>
    </message>
    <message>
        <source>Writing these files failed and their old bytes could not be put back; they may be damaged:</source>
        <translation>Writing these files failed and their old bytes could not be put back; they may be damaged:</translation>
    </message>
    <message>
        <source>The sampler pad at the drive is not the one that was loaded: nothing was written to it or deleted from it. Korvanta goes on without the sampler pad and keeps your edits.</source>
        <translation>The sampler pad at the drive is not the one that was loaded: nothing was written to it or deleted from it. Korvanta goes on without the sampler pad and keeps your edits.</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad: its folder is a link or leads out of the sampler pad.</source>
        <translation>was not saved to the sampler pad: its folder is a link or leads out of the sampler pad.</translation>
    </message>
    <message>
        <source>were not saved to the sampler pad: their folder is a link or leads out of the sampler pad.</source>
        <translation>were not saved to the sampler pad: their folder is a link or leads out of the sampler pad.</translation>
    </message>
    <message>
        <source>The kit chains were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.</source>
        <translation>The kit chains were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.</translation>
    </message>
    <message>
        <source>The change file alter.ini was not saved: its folder is a link or leads out of the sampler pad.</source>
        <translation>The change file alter.ini was not saved: its folder is a link or leads out of the sampler pad.</translation>
    </message>
    <message>
        <source>Keeping the sounds still in use...</source>
        <translation>Keeping the sounds still in use...</translation>
    </message>
    <message>
        <source>A sound of the library, a group or the metronome comes from this file, so nothing is saved:</source>
        <translation>A sound of the library, a group or the metronome comes from this file, so nothing is saved:</translation>
    </message>
    <message>
        <source>The file was written, but the disk did not confirm that it is stored:</source>
        <translation>The file was written, but the disk did not confirm that it is stored:</translation>
    </message>
    <message>
        <source>Some entries of "%1" could not be read and are not in the sound groups. The file as it was read is kept as "%2".</source>
        <translation type="vanished">Some entries of "%1" could not be read and are not in the sound groups. The file as it was read is kept as "%2".</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1": %2.

Quit anyway? Choose No to keep the window open, free some space or make the file writable, and close the window again to save them.</source>
        <translation>The sound groups could not be saved to "%1": %2.

Quit anyway? Choose No to keep the window open, free some space or make the file writable, and close the window again to save them.</translation>
    </message>
    <message>
        <source>waveList</source>
        <translation>waveList</translation>
    </message>
    <message>
        <source>Lossless sound files</source>
        <translation>Lossless sound files</translation>
    </message>
    <message>
        <source>Compressed sound files</source>
        <translation>Compressed sound files</translation>
    </message>
    <message>
        <source>Whole-setup files</source>
        <translation>Whole-setup files</translation>
    </message>
    <message>
        <source>Kit and global settings files</source>
        <translation>Kit and global settings files</translation>
    </message>
    <message>
        <source>, and in the hi-hat slots of Kit </source>
        <translation>, and in the hi-hat slots of Kit </translation>
    </message>
    <message>
        <source> exists in the hi-hat slots of Kit </source>
        <translation> exists in the hi-hat slots of Kit </translation>
    </message>
    <message>
        <source>Please clear the sound in the hi-hat slots on the Pad Settings page.</source>
        <translation>Please clear the sound in the hi-hat slots on the Pad Settings page.</translation>
    </message>
    <message>
        <source>This file cannot be imported: it cannot be opened.</source>
        <translation>This file cannot be imported: it cannot be opened.</translation>
    </message>
    <message>
        <source>This file cannot be imported: it is no kit file, global settings file or whole setup.</source>
        <translation>This file cannot be imported: it is no kit file, global settings file or whole setup.</translation>
    </message>
    <message>
        <source>It is another volume: its volume serial number or its USB serial number differs.</source>
        <translation>It is another volume: its volume serial number or its USB serial number differs.</translation>
    </message>
    <message>
        <source>It has the volume serial number of the loaded pad, but its global.ini or its metronome folder differs.</source>
        <translation>It has the volume serial number of the loaded pad, but its global.ini or its metronome folder differs.</translation>
    </message>
    <message>
        <source>It is a copy of the loaded pad with other kits: Kit </source>
        <translation>It is a copy of the loaded pad with other kits: Kit </translation>
    </message>
    <message>
        <source>differs.</source>
        <translation>differs.</translation>
    </message>
    <message>
        <source>differ.</source>
        <translation>differ.</translation>
    </message>
    <message>
        <source>The kit chains were saved before that.</source>
        <translation>The kit chains were saved before that.</translation>
    </message>
    <message>
        <source>was saved before that.</source>
        <translation>was saved before that.</translation>
    </message>
    <message>
        <source>were saved before that.</source>
        <translation>were saved before that.</translation>
    </message>
    <message>
        <source>The kit chains were not saved to the sampler pad.</source>
        <translation>The kit chains were not saved to the sampler pad.</translation>
    </message>
    <message>
        <source>The change file alter.ini was not saved.</source>
        <translation>The change file alter.ini was not saved.</translation>
    </message>
    <message>
        <source>Korvanta stays open without the sampler pad and keeps your edits.</source>
        <translation>Korvanta stays open without the sampler pad and keeps your edits.</translation>
    </message>
    <message>
        <source>The sampler pad is read-only (write-protected).</source>
        <translation>The sampler pad is read-only (write-protected).</translation>
    </message>
    <message>
        <source>its folder is a link or leads out of the sampler pad</source>
        <translation>its folder is a link or leads out of the sampler pad</translation>
    </message>
    <message>
        <source>These sounds were not deleted from the sampler pad and stay in the list:</source>
        <translation>These sounds were not deleted from the sampler pad and stay in the list:</translation>
    </message>
    <message>
        <source>Kit %1 %2</source>
        <translation>Kit %1 %2</translation>
    </message>
    <message>
        <source>These kits are not saved:</source>
        <translation>These kits are not saved:</translation>
    </message>
    <message>
        <source>These files are saved:</source>
        <translation>These files are saved:</translation>
    </message>
    <message>
        <source>No file was saved: the existing files stay as they were.</source>
        <translation>No file was saved: the existing files stay as they were.</translation>
    </message>
    <message>
        <source>These files could not be written:</source>
        <translation>These files could not be written:</translation>
    </message>
    <message>
        <source>The file cannot be read:</source>
        <translation>The file cannot be read:</translation>
    </message>
    <message>
        <source>The converted sound could not be written:</source>
        <translation>The converted sound could not be written:</translation>
    </message>
    <message>
        <source>The sounds still in use could not be kept in this folder:</source>
        <translation>The sounds still in use could not be kept in this folder:</translation>
    </message>
    <message>
        <source>The file could not be written:</source>
        <translation>The file could not be written:</translation>
    </message>
    <message>
        <source>The file is read-only.</source>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>ini files(*.ini *.INI)</source>
        <translation>ini files(*.ini *.INI)</translation>
    </message>
    <message>
        <source>The target file was not found.</source>
        <translation>The target file was not found.</translation>
    </message>
    <message>
        <source>Metronome sounds were not found.</source>
        <translation>Metronome sounds were not found.</translation>
    </message>
    <message>
        <source>Wave prm file is error.</source>
        <translation>Wave prm file is error.</translation>
    </message>
    <message>
        <source>The owner %1 could not be kept: the file now belongs to %2.</source>
        <translation>The owner %1 could not be kept: the file now belongs to %2.</translation>
    </message>
    <message>
        <source>The group %1 could not be kept: the file's group is now %2.</source>
        <translation>The group %1 could not be kept: the file's group is now %2.</translation>
    </message>
    <message>
        <source>The attribute %1 could not be kept.</source>
        <translation>The attribute %1 could not be kept.</translation>
    </message>
    <message>
        <source>These sound names were changed to names the sampler pad can hold:</source>
        <translation>These sound names were changed to names the sampler pad can hold:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>These sound names stored in the kit file %1 were changed to names the sampler pad can hold:</source>
        <translation>These sound names stored in the kit file %1 were changed to names the sampler pad can hold:</translation>
    </message>
    <message>
        <source>The global settings file was not applied, as no kit file was imported:</source>
        <translation>The global settings file was not applied, as no kit file was imported:</translation>
    </message>
    <message>
        <source>Another file picked for the same kit was imported in its place.</source>
        <translation>Another file picked for the same kit was imported in its place.</translation>
    </message>
    <message>
        <source>Its folder is a link or leads out of the sampler pad.</source>
        <translation>Its folder is a link or leads out of the sampler pad.</translation>
    </message>
    <message>
        <source>Its global.ini is no longer the file that was loaded:</source>
        <translation>Its global.ini is no longer the file that was loaded:</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>a symbolic link</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>a named pipe</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>a file</translation>
    </message>
    <message>
        <source>It is a symbolic link, which the editor does not follow.</source>
        <translation>It is a symbolic link, which the editor does not follow.</translation>
    </message>
    <message>
        <source>It is larger than any file of the sampler pad.</source>
        <translation>It is larger than any file of the sampler pad.</translation>
    </message>
    <message>
        <source>It is %1, not a file.</source>
        <translation>It is %1, not a file.</translation>
    </message>
    <message>
        <source>It does not exist.</source>
        <translation>It does not exist.</translation>
    </message>
    <message>
        <source>It could not be opened.</source>
        <translation>It could not be opened.</translation>
    </message>
    <message>
        <source>It is shorter than a kit record (%1 bytes).</source>
        <translation>It is shorter than a kit record (%1 bytes).</translation>
    </message>
    <message>
        <source>It holds the global settings in an older layout, which has no place for the kit chains.</source>
        <translation>It holds the global settings in an older layout, which has no place for the kit chains.</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad:</source>
        <translation>was not saved to the sampler pad:</translation>
    </message>
    <message>
        <source>The sampler pad was not found at its place for a moment while this ran; it is there again now.</source>
        <translation>The sampler pad was not found at its place for a moment while this ran; it is there again now.</translation>
    </message>
    <message>
        <source>These entries of the metronome folder are not files and were skipped:</source>
        <translation>These entries of the metronome folder are not files and were skipped:</translation>
    </message>
    <message>
        <source>Sound %1: its files stay hidden, as other files stand at its place.</source>
        <translation>Sound %1: its files stay hidden, as other files stand at its place.</translation>
    </message>
    <message>
        <source>Sound %1: its files could not be given their names.</source>
        <translation>Sound %1: its files could not be given their names.</translation>
    </message>
    <message>
        <source>Sound %1: its unfinished files could not all be removed.</source>
        <translation>Sound %1: its unfinished files could not all be removed.</translation>
    </message>
    <message>
        <source>The editor stopped before it had finished changing the sounds on the sampler pad; they are now put in order.</source>
        <translation type="vanished">The editor stopped before it had finished changing the sounds on the sampler pad; they are now put in order.</translation>
    </message>
    <message>
        <source>A renumbering cut short was undone: the sounds keep their numbers.</source>
        <translation>A renumbering cut short was undone: the sounds keep their numbers.</translation>
    </message>
    <message>
        <source>A renumbering cut short was undone as far as the files allow; these sounds were left out:</source>
        <translation>A renumbering cut short was undone as far as the files allow; these sounds were left out:</translation>
    </message>
    <message>
        <source>These sounds were completed: %1.</source>
        <translation>These sounds were completed: %1.</translation>
    </message>
    <message>
        <source>The unfinished files of these sounds were removed: %1.</source>
        <translation>The unfinished files of these sounds were removed: %1.</translation>
    </message>
    <message>
        <source>Sound %1 (%2): it has no .wav file.</source>
        <translation>Sound %1 (%2): it has no .wav file.</translation>
    </message>
    <message>
        <source>Sound %1 (%2): it has no .prm file.</source>
        <translation>Sound %1 (%2): it has no .prm file.</translation>
    </message>
    <message>
        <source>Sound %1 (%2): its .prm file is not a regular file.</source>
        <translation>Sound %1 (%2): its .prm file is not a regular file.</translation>
    </message>
    <message>
        <source>Sound %1 (%2): a folder stands at its name.</source>
        <translation>Sound %1 (%2): a folder stands at its name.</translation>
    </message>
    <message>
        <source>Sound %1 (%2): it is not a regular file.</source>
        <translation>Sound %1 (%2): it is not a regular file.</translation>
    </message>
    <message>
        <source>%1: not named as a sound.</source>
        <translation>%1: not named as a sound.</translation>
    </message>
    <message>
        <source>These sounds of the sampler pad were left out; the other sounds were loaded:</source>
        <translation>These sounds of the sampler pad were left out; the other sounds were loaded:</translation>
    </message>
    <message>
        <source>Sound %1: its .wav file is missing.</source>
        <translation>Sound %1: its .wav file is missing.</translation>
    </message>
    <message>
        <source>Sound %1: its .prm file is missing.</source>
        <translation>Sound %1: its .prm file is missing.</translation>
    </message>
    <message>
        <source>Sound %1: under hidden names, out of the pad's list.</source>
        <translation>Sound %1: under hidden names, out of the pad's list.</translation>
    </message>
    <message>
        <source>Sound %1: now at number %2.</source>
        <translation>Sound %1: now at number %2.</translation>
    </message>
    <message>
        <source>Sound %1: its files are split between the numbers %1 and %2.</source>
        <translation>Sound %1: its files are split between the numbers %1 and %2.</translation>
    </message>
    <message>
        <source>The sounds on the sampler pad could not be renumbered, and these could not be put back at their numbers; the next load of the sampler pad puts them back where it can:</source>
        <translation type="vanished">The sounds on the sampler pad could not be renumbered, and these could not be put back at their numbers; the next load of the sampler pad puts them back where it can:</translation>
    </message>
    <message>
        <source>the sampler pad refused to remove its files: %1</source>
        <translation>the sampler pad refused to remove its files: %1</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); the sounds after it were not tried.</source>
        <translation>The sampler pad refused a write (%1); the sounds after it were not tried.</translation>
    </message>
    <message>
        <source>it is a link to no regular file</source>
        <translation>it is a link to no regular file</translation>
    </message>
    <message>
        <source>The sound groups are saved to "%1".</source>
        <translation>The sound groups are saved to "%1".</translation>
    </message>
    <message>
        <source>Do you confirm to overwrite it?</source>
        <translation>Do you confirm to overwrite it?</translation>
    </message>
    <message>
        <source>the sound groups are in use by another editor</source>
        <translation>the sound groups are in use by another editor</translation>
    </message>
    <message>
        <source>it is a link that no longer names the file read at the start</source>
        <translation>it is a link that no longer names the file read at the start</translation>
    </message>
    <message>
        <source>The sound groups file "%1" could not be read whole: %2.</source>
        <translation>The sound groups file "%1" could not be read whole: %2.</translation>
    </message>
    <message>
        <source>Some entries of "%1" could not be read and are not in the sound groups.</source>
        <translation>Some entries of "%1" could not be read and are not in the sound groups.</translation>
    </message>
    <message>
        <source>The file as it was is kept as "%1".</source>
        <translation>The file as it was is kept as "%1".</translation>
    </message>
    <message>
        <source>It could not be kept beside it (%1), so the sound groups are not saved over it.</source>
        <translation>It could not be kept beside it (%1), so the sound groups are not saved over it.</translation>
    </message>
    <message>
        <source>These sounds of the sound groups are no longer in the kit files they name, which were written anew since; they are not taken for other sounds:</source>
        <translation type="vanished">These sounds of the sound groups are no longer in the kit files they name, which were written anew since; they are not taken for other sounds:</translation>
    </message>
    <message>
        <source>it is cut off or not in the sound list's form</source>
        <translation>it is cut off or not in the sound list's form</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>it is too large</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1": %2.</source>
        <translation>The sound groups could not be saved to "%1": %2.</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Another program changed the sound groups' file since this editor read it: that version is kept as "%1".</source>
        <translation>Another program changed the sound groups' file since this editor read it: that version is kept as "%1".</translation>
    </message>
    <message>
        <source>another program changed it, and its version could not be kept: %1</source>
        <translation>another program changed it, and its version could not be kept: %1</translation>
    </message>
    <message>
        <source>These files were replaced, but not all that they had was kept:</source>
        <translation>These files were replaced, but not all that they had was kept:</translation>
    </message>
    <message>
        <source>Only one global settings file can be selected.</source>
        <translation>Only one global settings file can be selected.</translation>
    </message>
    <message>
        <source>The global settings file is not applied.</source>
        <translation>The global settings file is not applied.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>the sound groups cannot be locked: %1</source>
        <translation>the sound groups cannot be locked: %1</translation>
    </message>
    <message>
        <source>a link to "%1" was put at its name since the start; neither is written over</source>
        <translation>a link to "%1" was put at its name since the start; neither is written over</translation>
    </message>
    <message>
        <source>The sound groups are saved to "%1", but the new file lacks what the old one had:</source>
        <translation>The sound groups are saved to "%1", but the new file lacks what the old one had:</translation>
    </message>
    <message>
        <source>%1 more in other folders</source>
        <translation>%1 more in other folders</translation>
    </message>
    <message>
        <source>The file had other names (hard links), which keep the old bytes: %1.</source>
        <translation>The file had other names (hard links), which keep the old bytes: %1.</translation>
    </message>
    <message>
        <source>The bytes of this sound were found neither in the file it names nor in "Kept sounds" when the editor started: it would be another sound, so it cannot be previewed, dragged or saved.</source>
        <translation>The bytes of this sound were found neither in the file it names nor in "Kept sounds" when the editor started: it would be another sound, so it cannot be previewed, dragged or saved.</translation>
    </message>
    <message>
        <source>These sounds of the sound groups are no longer in the files they name, which were written anew since, nor in "Kept sounds"; they are not taken for other sounds and cannot be previewed, dragged or saved:</source>
        <translation>These sounds of the sound groups are no longer in the files they name, which were written anew since, nor in "Kept sounds"; they are not taken for other sounds and cannot be previewed, dragged or saved:</translation>
    </message>
    <message>
        <source>These sounds of the sound groups are now taken from "Kept sounds":</source>
        <translation>These sounds of the sound groups are now taken from "Kept sounds":</translation>
    </message>
    <message>
        <source>The files were written, but the disk did not confirm that they are stored:</source>
        <translation>The files were written, but the disk did not confirm that they are stored:</translation>
    </message>
    <message>
        <source>These kits are not saved, as their existing files were kept:</source>
        <translation>These kits are not saved, as their existing files were kept:</translation>
    </message>
    <message>
        <source>These sounds of the sampler pad had the name of another of its sounds and were given a number:</source>
        <translation>These sounds of the sampler pad had the name of another of its sounds and were given a number:</translation>
    </message>
    <message>
        <source>These names were held by other sounds and were given a number:</source>
        <translation>These names were held by other sounds and were given a number:</translation>
    </message>
    <message>
        <source>These sounds of the kit file %1 bore names other sounds hold and were given a number:</source>
        <translation>These sounds of the kit file %1 bore names other sounds hold and were given a number:</translation>
    </message>
    <message>
        <source>The sampler pad does not answer. Korvanta reads nothing from it and writes nothing to it until it answers again; your edits are kept.</source>
        <translation>The sampler pad does not answer. Korvanta reads nothing from it and writes nothing to it until it answers again; your edits are kept.</translation>
    </message>
    <message>
        <source>The sampler pad stopped answering while the changes were written to it; they may have reached it only in part.</source>
        <translation>The sampler pad stopped answering while the changes were written to it; they may have reached it only in part.</translation>
    </message>
    <message>
        <source>The sampler pad does not answer: nothing was saved to it.</source>
        <translation>The sampler pad does not answer: nothing was saved to it.</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1" (%2). These sounds of the groups now stand elsewhere; the groups' file still names their old places, and the next start finds them by their bytes:</source>
        <translation>The sound groups could not be saved to "%1" (%2). These sounds of the groups now stand elsewhere; the groups' file still names their old places, and the next start finds them by their bytes:</translation>
    </message>
    <message>
        <source>Its global.ini or its metronome folder differs from the loaded pad's; neither volume has a serial number to compare.</source>
        <translation>Its global.ini or its metronome folder differs from the loaded pad's; neither volume has a serial number to compare.</translation>
    </message>
    <message>
        <source>Kit %1 was not written: its file is missing or short.</source>
        <translation>Kit %1 was not written: its file is missing or short.</translation>
    </message>
    <message>
        <source>The kit chains were not written: global.ini is missing or short.</source>
        <translation>The kit chains were not written: global.ini is missing or short.</translation>
    </message>
    <message>
        <source>The sampler pad is not at its place; its next load tells where its sounds are.</source>
        <translation>The sampler pad is not at its place; its next load tells where its sounds are.</translation>
    </message>
    <message>
        <source>Sound %1: a file of it is missing.</source>
        <translation>Sound %1: a file of it is missing.</translation>
    </message>
    <message>
        <source>The sampler pad holds a change record the editor cannot read; nothing was changed by it.</source>
        <translation type="vanished">The sampler pad holds a change record the editor cannot read; nothing was changed by it.</translation>
    </message>
    <message>
        <source>It was kept as %1 in the SYS folder.</source>
        <translation type="vanished">It was kept as %1 in the SYS folder.</translation>
    </message>
    <message>
        <source>A renumbering cut short was finished: the kits on the sampler pad name the sounds' new numbers.</source>
        <translation>A renumbering cut short was finished: the kits on the sampler pad name the sounds' new numbers.</translation>
    </message>
    <message>
        <source>Sound %1 is now number %2.</source>
        <translation>Sound %1 is now number %2.</translation>
    </message>
    <message>
        <source>The deletion of these sounds was finished: %1.</source>
        <translation>The deletion of these sounds was finished: %1.</translation>
    </message>
    <message>
        <source>These sounds were put back: %1.</source>
        <translation>These sounds were put back: %1.</translation>
    </message>
    <message>
        <source>The save of an earlier close was finished from its record.</source>
        <translation>The save of an earlier close was finished from its record.</translation>
    </message>
    <message>
        <source>These kits were found torn and written again: %1.</source>
        <translation>These kits were found torn and written again: %1.</translation>
    </message>
    <message>
        <source>These kits were written: %1.</source>
        <translation>These kits were written: %1.</translation>
    </message>
    <message>
        <source>The kit chains were found torn and written again.</source>
        <translation>The kit chains were found torn and written again.</translation>
    </message>
    <message>
        <source>The kit chains were written.</source>
        <translation>The kit chains were written.</translation>
    </message>
    <message>
        <source>The change file alter.ini was written.</source>
        <translation>The change file alter.ini was written.</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); the change stays recorded and the next load of the sampler pad takes it up again.</source>
        <translation>The sampler pad refused a write (%1); the change stays recorded and the next load of the sampler pad takes it up again.</translation>
    </message>
    <message>
        <source>The sounds on the sampler pad could not be renumbered, and the change could not be taken back; the next load of the sampler pad finishes it or takes it back, kits and sounds together.</source>
        <translation>The sounds on the sampler pad could not be renumbered, and the change could not be taken back; the next load of the sampler pad finishes it or takes it back, kits and sounds together.</translation>
    </message>
    <message>
        <source>The next load of the sampler pad finishes this save from its record.</source>
        <translation>The next load of the sampler pad finishes this save from its record.</translation>
    </message>
    <message>
        <source>The drive does not answer: %1</source>
        <translation>The drive does not answer: %1</translation>
    </message>
    <message>
        <source>The adding of these sounds was taken back; they are not on the sampler pad: %1.</source>
        <translation>The adding of these sounds was taken back; they are not on the sampler pad: %1.</translation>
    </message>
    <message>
        <source>%1 is gone</source>
        <translation>%1 is gone</translation>
    </message>
    <message>
        <source>These sounds were deleted from the list; the sampler pad was cut off before the deletion ended, and its next load finishes it:</source>
        <translation>These sounds were deleted from the list; the sampler pad was cut off before the deletion ended, and its next load finishes it:</translation>
    </message>
    <message>
        <source>One file of each of these sounds was already gone from the sampler pad (another program may have removed it); they stay in the list:</source>
        <translation>One file of each of these sounds was already gone from the sampler pad (another program may have removed it); they stay in the list:</translation>
    </message>
    <message>
        <source>Delete what is left of them from the sampler pad?</source>
        <translation>Delete what is left of them from the sampler pad?</translation>
    </message>
    <message>
        <source>Invalid data found when processing input.</source>
        <translation>Invalid data found when processing input.</translation>
    </message>
    <message>
        <source>Error splitting the argument list.</source>
        <translation>Error splitting the argument list.</translation>
    </message>
    <message>
        <source>Option not found.</source>
        <translation>Option not found.</translation>
    </message>
    <message>
        <source>Invalid argument.</source>
        <translation>Invalid argument.</translation>
    </message>
    <message>
        <source>Mono</source>
        <comment>sound channels</comment>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <comment>sound channels</comment>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Effect%1 Ctrl%2:</source>
        <translation>Effect%1 Ctrl%2:</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Repeat:</source>
        <translation>Repeat:</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>Delay:</translation>
    </message>
    <message>
        <source>Damping:</source>
        <translation>Damping:</translation>
    </message>
    <message>
        <source>Pitch Shift:</source>
        <translation>Pitch Shift:</translation>
    </message>
    <message>
        <source>Echo Delay:</source>
        <translation>Echo Delay:</translation>
    </message>
    <message>
        <source>Echo Mix:</source>
        <translation>Echo Mix:</translation>
    </message>
    <message>
        <source>Feedback:</source>
        <translation>Feedback:</translation>
    </message>
    <message>
        <source>Reverb Time:</source>
        <translation>Reverb Time:</translation>
    </message>
    <message>
        <source>HF Filter:</source>
        <translation>HF Filter:</translation>
    </message>
    <message>
        <source>LF Filter:</source>
        <translation>LF Filter:</translation>
    </message>
    <message>
        <source>Diffusion:</source>
        <translation>Diffusion:</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Decay:</source>
        <translation>Decay:</translation>
    </message>
    <message>
        <source>Pre-delay:</source>
        <translation>Pre-delay:</translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation>Depth:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>Reverb Mix:</source>
        <translation>Reverb Mix:</translation>
    </message>
    <message>
        <source>Tremolo Rate:</source>
        <translation>Tremolo Rate:</translation>
    </message>
    <message>
        <source>Tremolo Mix:</source>
        <translation>Tremolo Mix:</translation>
    </message>
    <message>
        <source>Flange Rate:</source>
        <translation>Flange Rate:</translation>
    </message>
    <message>
        <source>Flange Mix:</source>
        <translation>Flange Mix:</translation>
    </message>
    <message>
        <source>Chorus Rate:</source>
        <translation>Chorus Rate:</translation>
    </message>
    <message>
        <source>Chorus Mix:</source>
        <translation>Chorus Mix:</translation>
    </message>
    <message>
        <source>Reverb Size:</source>
        <translation>Reverb Size:</translation>
    </message>
    <message>
        <source>LP Filter:</source>
        <translation>LP Filter:</translation>
    </message>
    <message>
        <source>HP Filter:</source>
        <translation>HP Filter:</translation>
    </message>
    <message>
        <source>Flange Delay:</source>
        <translation>Flange Delay:</translation>
    </message>
    <message>
        <source>Kit %1: %2</source>
        <translation>Kit %1: %2</translation>
    </message>
    <message>
        <source>Kit %1 %2: </source>
        <translation>Kit %1 %2: </translation>
    </message>
    <message>
        <source>Error:0011</source>
        <translation>Error:0011</translation>
    </message>
    <message>
        <source>DEL of a metronome sound</source>
        <translation>DEL of a metronome sound</translation>
    </message>
    <message>
        <source>move of kit %1</source>
        <translation>move of kit %1</translation>
    </message>
    <message>
        <source>global settings</source>
        <translation>global settings</translation>
    </message>
    <message>
        <source>History</source>
        <translation>History</translation>
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
        <source>sounds added to the list</source>
        <translation>sounds added to the list</translation>
    </message>
    <message>
        <source>metronome sounds added</source>
        <translation>metronome sounds added</translation>
    </message>
    <message>
        <source>order of the sound list</source>
        <translation>order of the sound list</translation>
    </message>
    <message>
        <source>sound %1 added to the list</source>
        <translation>sound %1 added to the list</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>These kits name the sounds by their new numbers: %1.</source>
        <translation>These kits name the sounds by their new numbers: %1.</translation>
    </message>
    <message>
        <source>These kits name the sounds by the numbers they had: %1.</source>
        <translation>These kits name the sounds by the numbers they had: %1.</translation>
    </message>
    <message>
        <source>The editor stopped before it had finished changing the files on the sampler pad.</source>
        <translation type="vanished">The editor stopped before it had finished changing the files on the sampler pad.</translation>
    </message>
    <message>
        <source>The editor stopped before it had finished saving to the sampler pad; the save is now put in order.</source>
        <translation type="vanished">The editor stopped before it had finished saving to the sampler pad; the save is now put in order.</translation>
    </message>
    <message>
        <source>This whole setup cannot be imported under this name: the name of a whole setup must end in ".bin".</source>
        <translation>This whole setup cannot be imported under this name: the name of a whole setup must end in ".bin".</translation>
    </message>
    <message>
        <source>A whole setup is imported alone, not with other files: it is left out of this import.</source>
        <translation>A whole setup is imported alone, not with other files: it is left out of this import.</translation>
    </message>
    <message>
        <source>The sampler pad could not be backed up into %1: %2.</source>
        <translation>The sampler pad could not be backed up into %1: %2.</translation>
    </message>
    <message>
        <source>The pad is used all the same.</source>
        <translation>The pad is used all the same.</translation>
    </message>
    <message>
        <source>the folder does not answer</source>
        <translation>the folder does not answer</translation>
    </message>
    <message>
        <source>The backup of the sampler pad into %1 has not moved on for %2 seconds: the folder may not answer.</source>
        <translation>The backup of the sampler pad into %1 has not moved on for %2 seconds: the folder may not answer.</translation>
    </message>
    <message>
        <source>Go on without the backup? With No, nothing is written to the sampler pad now.</source>
        <translation>Go on without the backup? With No, nothing is written to the sampler pad now.</translation>
    </message>
    <message>
        <source>The backups of the sampler pad cannot be read: %1 does not answer.</source>
        <translation>The backups of the sampler pad cannot be read: %1 does not answer.</translation>
    </message>
    <message>
        <source>Kit %1, pad %2 %3</source>
        <translation>Kit %1, pad %2 %3</translation>
    </message>
    <message>
        <source>Kit %1, hi-hat slot %2</source>
        <translation>Kit %1, hi-hat slot %2</translation>
    </message>
    <message>
        <source>%1: %2 (sound %3)</source>
        <translation>%1: %2 (sound %3)</translation>
    </message>
    <message>
        <source>These sounds of the backup are no longer on the sampler pad; their slots are left empty:</source>
        <translation>These sounds of the backup are no longer on the sampler pad; their slots are left empty:</translation>
    </message>
    <message>
        <source>%1: %2 kits differ from now</source>
        <translation type="vanished">%1: %2 kits differ from now</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1: cannot be read</translation>
    </message>
    <message>
        <source>There is no backup of this sampler pad in %1 yet.</source>
        <translation>There is no backup of this sampler pad in %1 yet.</translation>
    </message>
    <message>
        <source>Restore the pad from a backup</source>
        <translation>Restore the pad from a backup</translation>
    </message>
    <message>
        <source>Backups of this sampler pad, newest first:</source>
        <translation>Backups of this sampler pad, newest first:</translation>
    </message>
    <message>
        <source>The backup cannot be restored:</source>
        <translation>The backup cannot be restored:</translation>
    </message>
    <message>
        <source>restore of the pad from the backup of %1</source>
        <translation>restore of the pad from the backup of %1</translation>
    </message>
    <message>
        <source>Restore the pad from a backup…</source>
        <translation>Restore the pad from a backup…</translation>
    </message>
    <message>
        <source>%1: kits differing from now: %2</source>
        <translation>%1: kits differing from now: %2</translation>
    </message>
    <message>
        <source>Nothing was saved to the sampler pad: it holds the record of an earlier change that its next load ends first or, if it cannot, names.</source>
        <translation>Nothing was saved to the sampler pad: it holds the record of an earlier change that its next load ends first or, if it cannot, names.</translation>
    </message>
    <message>
        <source>It could not be kept aside: the SYS folder already holds %1 to %2.</source>
        <translation>It could not be kept aside: the SYS folder already holds %1 to %2.</translation>
    </message>
    <message>
        <source>It could not be kept aside (%1).</source>
        <translation type="vanished">It could not be kept aside (%1).</translation>
    </message>
    <message>
        <source>the sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names</source>
        <translation>the sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names</translation>
    </message>
    <message>
        <source>The sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names.</source>
        <translation>The sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names.</translation>
    </message>
    <message>
        <source>The sampler pad at the drive changed while it was read: another pad or other folders stand at its place. Nothing was taken from it.</source>
        <translation>The sampler pad at the drive changed while it was read: another pad or other folders stand at its place. Nothing was taken from it.</translation>
    </message>
    <message>
        <source>%1 is a link, not a file of its own</source>
        <translation>%1 is a link, not a file of its own</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 is a folder</translation>
    </message>
    <message>
        <source>%1 is not a plain file</source>
        <translation>%1 is not a plain file</translation>
    </message>
    <message>
        <source>Keeping a backup of the sampler pad…</source>
        <translation>Keeping a backup of the sampler pad…</translation>
    </message>
    <message>
        <source>Reading the backups of the sampler pad…</source>
        <translation>Reading the backups of the sampler pad…</translation>
    </message>
    <message>
        <source>It has the USB serial number of the loaded pad, but its global.ini or its metronome folder differs.</source>
        <translation>It has the USB serial number of the loaded pad, but its global.ini or its metronome folder differs.</translation>
    </message>
    <message>
        <source>Its global.ini or its metronome folder differs from the loaded pad's; only one of the two volumes has a serial number, so none could be compared.</source>
        <translation>Its global.ini or its metronome folder differs from the loaded pad's; only one of the two volumes has a serial number, so none could be compared.</translation>
    </message>
    <message>
        <source>The drive of the sound %1 does not answer.</source>
        <translation>The drive of the sound %1 does not answer.</translation>
    </message>
    <message>
        <source>The folder stopped answering while this file was being put in place under its name:</source>
        <translation>The folder stopped answering while this file was being put in place under its name:</translation>
    </message>
    <message>
        <source>It may or may not be there now. A file that had this name before is either still the old one, whole, or the new one, whole. Please look in the folder.</source>
        <translation>It may or may not be there now. A file that had this name before is either still the old one, whole, or the new one, whole. Please look in the folder.</translation>
    </message>
    <message>
        <source>The folder stopped answering while the new file was being kept beside this file:</source>
        <translation>The folder stopped answering while the new file was being kept beside this file:</translation>
    </message>
    <message>
        <source>The new file may or may not be there now, under this file's name with "~" and a number. This file is as it was. Please look in the folder.</source>
        <translation>The new file may or may not be there now, under this file's name with "~" and a number. This file is as it was. Please look in the folder.</translation>
    </message>
    <message>
        <source>ffmpeg made no progress for too long and was stopped.</source>
        <translation>ffmpeg made no progress for too long and was stopped.</translation>
    </message>
    <message>
        <source>The sampler pad holds the record of an earlier change whose every step was already done; the record could not be removed (%1), so the next load looks at it again.</source>
        <translation>The sampler pad holds the record of an earlier change whose every step was already done; the record could not be removed (%1), so the next load looks at it again.</translation>
    </message>
    <message>
        <source>The sampler pad held the record of an earlier change whose every step was already done; the record was removed.</source>
        <translation>The sampler pad held the record of an earlier change whose every step was already done; the record was removed.</translation>
    </message>
    <message>
        <source>The global settings file global.ini was written.</source>
        <translation>The global settings file global.ini was written.</translation>
    </message>
    <message>
        <source>Its record could not be removed (%1), so the next load looks at it again and finds nothing left to do.</source>
        <translation>Its record could not be removed (%1), so the next load looks at it again and finds nothing left to do.</translation>
    </message>
    <message>
        <source>%1 in the SYS folder: %2 It was removed, and nothing was read through it.</source>
        <translation>%1 in the SYS folder: %2 It was removed, and nothing was read through it.</translation>
    </message>
    <message>
        <source>%1 in the SYS folder: %2 It could not be removed (%3).</source>
        <translation>%1 in the SYS folder: %2 It could not be removed (%3).</translation>
    </message>
    <message>
        <source>The restored global settings were not saved to the sampler pad: global.ini changed on the pad since it was loaded.</source>
        <translation>The restored global settings were not saved to the sampler pad: global.ini changed on the pad since it was loaded.</translation>
    </message>
    <message>
        <source>The restored global settings were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.</source>
        <translation>The restored global settings were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.</translation>
    </message>
    <message>
        <source>The restored global settings were saved before that.</source>
        <translation>The restored global settings were saved before that.</translation>
    </message>
    <message>
        <source>The restored global settings were not saved to the sampler pad.</source>
        <translation>The restored global settings were not saved to the sampler pad.</translation>
    </message>
    <message>
        <source>The drive of this file does not answer, so the sound is not taken:</source>
        <translation>The drive of this file does not answer, so the sound is not taken:</translation>
    </message>
    <message>
        <source>The drives of these files do not answer, so their sounds are not taken:</source>
        <translation>The drives of these files do not answer, so their sounds are not taken:</translation>
    </message>
    <message>
        <source>its global.ini is missing</source>
        <translation>its global.ini is missing</translation>
    </message>
    <message>
        <source>its global.ini cannot be read</source>
        <translation>its global.ini cannot be read</translation>
    </message>
    <message>
        <source>its global.ini is in an older layout, which Korvanta does not write to the sampler pad</source>
        <translation>its global.ini is in an older layout, which Korvanta does not write to the sampler pad</translation>
    </message>
    <message>
        <source>The global settings and kit chains of this backup cannot be put back: %1. They stay as they are now.</source>
        <translation>The global settings and kit chains of this backup cannot be put back: %1. They stay as they are now.</translation>
    </message>
    <message>
        <source>the sampler pad's own global.ini is not in the layout Korvanta writes (it is an older file's), so Korvanta does not write over it; the backup's global.ini is fine</source>
        <translation>the sampler pad's own global.ini is not in the layout Korvanta writes (it is an older file's), so Korvanta does not write over it; the backup's global.ini is fine</translation>
    </message>
    <message>
        <source>the global settings in the editor are in an older layout than the sampler pad's global.ini</source>
        <translation>the global settings in the editor are in an older layout than the sampler pad's global.ini</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); the next load of the sampler pad finishes this save from its record.</source>
        <translation>The sampler pad refused a write (%1); the next load of the sampler pad finishes this save from its record.</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); nothing was saved to it.</source>
        <translation>The sampler pad refused a write (%1); nothing was saved to it.</translation>
    </message>
    <message>
        <source>Sound %1: %2 holds other bytes than the file deleted; it stays on the sampler pad.</source>
        <translation>Sound %1: %2 holds other bytes than the file deleted; it stays on the sampler pad.</translation>
    </message>
    <message>
        <source>%1 in the SYS folder: an unfinished file of the editor's. It could not be removed (%2).</source>
        <translation>%1 in the SYS folder: an unfinished file of the editor's. It could not be removed (%2).</translation>
    </message>
    <message>
        <source>%1 changed on the sampler pad after it was read</source>
        <translation>%1 changed on the sampler pad after it was read</translation>
    </message>
    <message>
        <source>The conversion of the following files took too long and was stopped; they were not added:</source>
        <translation>The conversion of the following files took too long and was stopped; they were not added:</translation>
    </message>
    <message>
        <source>The import was canceled: %1 sounds were imported; the other files were not.</source>
        <translation>The import was canceled: %1 sounds were imported; the other files were not.</translation>
    </message>
    <message>
        <source>The conversion took too long and was stopped.</source>
        <translation>The conversion took too long and was stopped.</translation>
    </message>
    <message>
        <source>This is not a regular file (a pipe, a device or a folder); it was not converted.</source>
        <translation>This is not a regular file (a pipe, a device or a folder); it was not converted.</translation>
    </message>
    <message>
        <source>%1 (read-only)</source>
        <translation>%1 (read-only)</translation>
    </message>
    <message>
        <source>These files are already in the folder and will be replaced:</source>
        <translation>These files are already in the folder and will be replaced:</translation>
    </message>
    <message>
        <source>Do you confirm to overwrite them?</source>
        <translation>Do you confirm to overwrite them?</translation>
    </message>
    <message>
        <source>the folder stopped answering while the file was being put in place; it is either still the old one, whole, or the new one, whole</source>
        <translation>the folder stopped answering while the file was being put in place; it is either still the old one, whole, or the new one, whole</translation>
    </message>
    <message>
        <source>The drive of the sound groups file "%1" does not answer: its groups are not read, and nothing is saved over it in this session.</source>
        <translation>The drive of the sound groups file "%1" does not answer: its groups are not read, and nothing is saved over it in this session.</translation>
    </message>
    <message>
        <source>The folder of "%1" stopped answering while the sound groups were being saved to it: the file is either still the old one, whole, or the new one, whole.

Quit anyway? Choose No to keep the window open, and close the window again once the drive answers to save them.</source>
        <translation>The folder of "%1" stopped answering while the sound groups were being saved to it: the file is either still the old one, whole, or the new one, whole.

Quit anyway? Choose No to keep the window open, and close the window again once the drive answers to save them.</translation>
    </message>
    <message>
        <source>%1 stands at its name</source>
        <translation>%1 stands at its name</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1": %2.

Quit anyway? Choose No to keep the window open, move it away, and close the window again to save them.</source>
        <translation>The sound groups could not be saved to "%1": %2.

Quit anyway? Choose No to keep the window open, move it away, and close the window again to save them.</translation>
    </message>
    <message>
        <source>Some sounds of "%1" had a part that could not be read; they are kept in the sound groups without it.</source>
        <translation>Some sounds of "%1" had a part that could not be read; they are kept in the sound groups without it.</translation>
    </message>
    <message>
        <source>The sound groups in "%1" are in use by another editor. Changes to the groups in this window are saved into it only if that editor has ended by this window's close and left the file as this window read it; otherwise the close saves them beside it, under a name it gives.</source>
        <translation>The sound groups in "%1" are in use by another editor. Changes to the groups in this window are saved into it only if that editor has ended by this window's close and left the file as this window read it; otherwise the close saves them beside it, under a name it gives.</translation>
    </message>
    <message>
        <source>The sound groups in "%1" cannot be locked for this editor (%2). Changes to the groups in this window are saved into it only if this editor can lock it by its close and finds it as it read it; otherwise the close saves them beside it, under a name it gives.</source>
        <translation>The sound groups in "%1" cannot be locked for this editor (%2). Changes to the groups in this window are saved into it only if this editor can lock it by its close and finds it as it read it; otherwise the close saves them beside it, under a name it gives.</translation>
    </message>
    <message>
        <source>Another editor saved the sound groups in "%1" since this window read them: they stay as they are, and the groups of this window are saved beside them as "%2".</source>
        <translation>Another editor saved the sound groups in "%1" since this window read them: they stay as they are, and the groups of this window are saved beside them as "%2".</translation>
    </message>
    <message>
        <source>The sound groups in "%1" cannot be locked for this editor (%2): the groups of this window are saved beside it as "%3".</source>
        <translation>The sound groups in "%1" cannot be locked for this editor (%2): the groups of this window are saved beside it as "%3".</translation>
    </message>
    <message>
        <source>The sound groups in "%1" are in use by another editor: the groups of this window are saved beside it as "%2".</source>
        <translation>The sound groups in "%1" are in use by another editor: the groups of this window are saved beside it as "%2".</translation>
    </message>
    <message>
        <source>another editor saved them since this window read them</source>
        <translation>another editor saved them since this window read them</translation>
    </message>
    <message>
        <source>%1, and they could not be saved beside it: %2</source>
        <translation>%1, and they could not be saved beside it: %2</translation>
    </message>
    <message>
        <source>Kit %1 was changed on the sampler pad since; it is kept as the pad has it.</source>
        <translation>Kit %1 was changed on the sampler pad since; it is kept as the pad has it.</translation>
    </message>
    <message>
        <source>The kit chains in %1 were changed on the sampler pad since; they are kept as the pad has them.</source>
        <translation>The kit chains in %1 were changed on the sampler pad since; they are kept as the pad has them.</translation>
    </message>
    <message>
        <source>%1 was changed on the sampler pad since; it is kept as the pad has it.</source>
        <translation>%1 was changed on the sampler pad since; it is kept as the pad has it.</translation>
    </message>
    <message>
        <source>Sound %1: %2 was changed on the sampler pad since; it is kept as the pad has it.</source>
        <translation>Sound %1: %2 was changed on the sampler pad since; it is kept as the pad has it.</translation>
    </message>
    <message>
        <source>The save of an earlier close was taken back: the sampler pad holds what it held before that close.</source>
        <translation>The save of an earlier close was taken back: the sampler pad holds what it held before that close.</translation>
    </message>
    <message>
        <source>The sampler pad holds a change record the editor cannot read or did not write; it was neither finished nor taken back.</source>
        <translation>The sampler pad holds a change record the editor cannot read or did not write; it was neither finished nor taken back.</translation>
    </message>
    <message>
        <source>It is kept aside as %1 in the SYS folder.</source>
        <translation>It is kept aside as %1 in the SYS folder.</translation>
    </message>
    <message>
        <source>%1 could not be forced to the disk (%2); what was put in order there may not survive a power cut.</source>
        <translation>%1 could not be forced to the disk (%2); what was put in order there may not survive a power cut.</translation>
    </message>
    <message>
        <source>A change of the sounds on the sampler pad was cut short; it is now put in order.</source>
        <translation>A change of the sounds on the sampler pad was cut short; it is now put in order.</translation>
    </message>
    <message>
        <source>A change of the files on the sampler pad was cut short.</source>
        <translation>A change of the files on the sampler pad was cut short.</translation>
    </message>
    <message>
        <source>A save to the sampler pad was cut short; it is now put in order.</source>
        <translation>A save to the sampler pad was cut short; it is now put in order.</translation>
    </message>
    <message>
        <source>Nothing was saved to the sampler pad: the save needs %1 KB free on it for its record and files, and it has less.</source>
        <translation>Nothing was saved to the sampler pad: the save needs %1 KB free on it for its record and files, and it has less.</translation>
    </message>
</context>
<context>
    <name>SelectKitNo</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>Hint: The import mode of the device is overwrite mode! Please select the kits that need to be replaced!</source>
        <translation>Hint: The import mode of the device is overwrite mode! Please select the kits that need to be replaced!</translation>
    </message>
    <message>
        <source>1) Click the Select All button and select the checkbox for all kits.</source>
        <translation>1) Click the Select All button and select the checkbox for all kits.</translation>
    </message>
    <message>
        <source>2) Click the Deselect All button and set all kits checkbox to deselected state</source>
        <translation>2) Click the Deselect All button and set all kits checkbox to deselected state</translation>
    </message>
    <message>
        <source>and Check the checkbox for the kits that need to be replaced.</source>
        <translation>and Check the checkbox for the kits that need to be replaced.</translation>
    </message>
    <message>
        <source>3) If no kits are selected and  click Cancel button or click Ok button to generate a file,</source>
        <translation>3) If no kits are selected and  click Cancel button or click Ok button to generate a file,</translation>
    </message>
    <message>
        <source>it will prompt file generation failure</source>
        <translation>it will prompt file generation failure</translation>
    </message>
    <message>
        <source>Kit No.</source>
        <translation>Kit No.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>Deselect All</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kit List</source>
        <translation>Kit List</translation>
    </message>
</context>
<context>
    <name>SoundLibrary</name>
    <message>
        <source>The sound list changed since (a save or the pad): this step can no longer be undone.</source>
        <translation>The sound list changed since (a save or the pad): this step can no longer be undone.</translation>
    </message>
    <message>
        <source>The sound %1 is gone.</source>
        <translation>The sound %1 is gone.</translation>
    </message>
    <message>
        <source>The drive of the sound %1 does not answer.</source>
        <translation>The drive of the sound %1 does not answer.</translation>
    </message>
    <message>
        <source>The sound groups changed since (a save): this step can no longer be undone.</source>
        <translation>The sound groups changed since (a save): this step can no longer be undone.</translation>
    </message>
    <message>
        <source>The metronome sounds changed since: this step can no longer be undone.</source>
        <translation>The metronome sounds changed since: this step can no longer be undone.</translation>
    </message>
    <message>
        <source>The loaded kit files changed since (a save): this step can no longer be undone.</source>
        <translation>The loaded kit files changed since (a save): this step can no longer be undone.</translation>
    </message>
    <message>
        <source>new group %1</source>
        <translation>new group %1</translation>
    </message>
    <message>
        <source>sounds added to group %1</source>
        <translation>sounds added to group %1</translation>
    </message>
    <message>
        <source>name of group %1</source>
        <translation>name of group %1</translation>
    </message>
    <message>
        <source>name of sound %1</source>
        <translation>name of sound %1</translation>
    </message>
    <message>
        <source>DEL in the sound groups</source>
        <translation>DEL in the sound groups</translation>
    </message>
    <message numerus="yes">
        <source>DEL of %n sounds</source>
        <translation type="vanished">
            <numerusform>DEL of %n sounds</numerusform>
            <numerusform>DEL of %n sounds</numerusform>
        </translation>
    </message>
    <message>
        <source>DEL of %1 sounds</source>
        <translation>DEL of %1 sounds</translation>
    </message>
    <message>
        <source>DEL of sound %1</source>
        <translation>DEL of sound %1</translation>
    </message>
</context>
<context>
    <name>TotalTreeView</name>
    <message>
        <source>Delete Sound</source>
        <translation>Delete Sound</translation>
    </message>
    <message>
        <source>Export Sound</source>
        <translation>Export Sound</translation>
    </message>
</context>
<context>
    <name>WaveTreeView1</name>
    <message>
        <source>Delete Sound</source>
        <translation>Delete Sound</translation>
    </message>
</context>
<context>
    <name>padbackup</name>
    <message>
        <source>The folder %1 cannot be made</source>
        <translation>The folder %1 cannot be made</translation>
    </message>
    <message>
        <source>the backup cannot take its name</source>
        <translation>the backup cannot take its name</translation>
    </message>
    <message>
        <source>The backup holds no kits.</source>
        <translation>The backup holds no kits.</translation>
    </message>
    <message>
        <source>the pad holds too many files for one archive</source>
        <translation type="vanished">the pad holds too many files for one archive</translation>
    </message>
    <message>
        <source>the pad's file %1 cannot be kept under its name</source>
        <translation>the pad's file %1 cannot be kept under its name</translation>
    </message>
</context>
</TS>
