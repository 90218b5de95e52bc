<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CopyKitFunc</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Kit</source>
        <translation>套鼓</translation>
    </message>
    <message>
        <source>to Kit</source>
        <translation>到套鼓</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Kit Copy</source>
        <translation>套鼓复制</translation>
    </message>
</context>
<context>
    <name>CopyPadFunc</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>to Pad</source>
        <translation>到打击垫</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Pad Copy</source>
        <translation>打击垫复制</translation>
    </message>
</context>
<context>
    <name>CustomDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Export Sound</source>
        <translation>导出音色</translation>
    </message>
    <message>
        <source>,  </source>
        <translation>,  </translation>
    </message>
    <message>
        <source>is successfully exported.</source>
        <translation>已成功导出。</translation>
    </message>
    <message>
        <source>File location:</source>
        <translation>文件位置：</translation>
    </message>
</context>
<context>
    <name>DeviceDetector</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>Device Unconnect(Default)</source>
        <translation>设备未连接(默认)</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Select Disk</source>
        <translation>选择磁盘</translation>
    </message>
    <message>
        <source>%1 (not answering)</source>
        <translation>%1（无响应）</translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>"%1" cannot be undone:</source>
        <translation>无法撤销“%1”：</translation>
    </message>
    <message>
        <source>"%1" cannot be redone:</source>
        <translation>无法重做“%1”：</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销 %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做 %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
</context>
<context>
    <name>ImportTip</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>KitDocument</name>
    <message>
        <source>kit chain %1 ON</source>
        <translation>套鼓链 %1 开</translation>
    </message>
    <message>
        <source>kit chains OFF</source>
        <translation>套鼓链关</translation>
    </message>
    <message>
        <source>kit chains</source>
        <translation>套鼓链</translation>
    </message>
    <message>
        <source>steps of kit chain %1 cleared</source>
        <translation>清除套鼓链 %1 的步骤</translation>
    </message>
    <message>
        <source>step %1 of kit chain %2</source>
        <translation>套鼓链 %2 的第 %1 步</translation>
    </message>
    <message>
        <source>name of kit %1</source>
        <translation>套鼓 %1 的名称</translation>
    </message>
    <message>
        <source>kit names</source>
        <translation>套鼓名称</translation>
    </message>
    <message>
        <source>sound on pad %1 of kit %2</source>
        <translation>套鼓 %2 打击垫 %1 的音色</translation>
    </message>
    <message>
        <source>hi-hat sound %1 of kit %2</source>
        <translation>套鼓 %2 的踩镲音色 %1</translation>
    </message>
    <message>
        <source>CLEAR of kit %1</source>
        <translation>清除套鼓 %1</translation>
    </message>
    <message>
        <source>Clear of pad %1 of kit %2</source>
        <translation>清除套鼓 %2 的打击垫 %1</translation>
    </message>
    <message>
        <source>hi-hat sounds of kit %1 cleared</source>
        <translation>清除套鼓 %1 的踩镲音色</translation>
    </message>
    <message>
        <source>Kit Copy of kit %1 to kit %2</source>
        <translation>套鼓复制：套鼓 %1 到套鼓 %2</translation>
    </message>
    <message>
        <source>Pad Copy of pad %1 to pad %2 of kit %3</source>
        <translation>打击垫复制：套鼓 %3 的打击垫 %1 到打击垫 %2</translation>
    </message>
    <message>
        <source>move of kit %1 to kit %2</source>
        <translation>套鼓 %1 移到套鼓 %2</translation>
    </message>
    <message>
        <source>settings of kit %1</source>
        <translation>套鼓 %1 的设置</translation>
    </message>
    <message>
        <source>settings of pad %1 of kit %2</source>
        <translation>套鼓 %2 打击垫 %1 的设置</translation>
    </message>
    <message>
        <source>pad links of kit %1</source>
        <translation>套鼓 %1 的打击垫联动</translation>
    </message>
    <message>
        <source>effect of kit %1</source>
        <translation>套鼓 %1 的效果</translation>
    </message>
    <message>
        <source>name of sound %1</source>
        <translation>音色 %1 的名称</translation>
    </message>
    <message>
        <source>The sound %1 is gone.</source>
        <translation>音色 %1 已不存在。</translation>
    </message>
    <message>
        <source>The drive of the sound %1 does not answer.</source>
        <translation>音色 %1 所在的驱动器没有响应。</translation>
    </message>
</context>
<context>
    <name>LineEdit</name>
    <message>
        <source>Kit Copy</source>
        <translation>套鼓复制</translation>
    </message>
</context>
<context>
    <name>MainWindow1</name>
    <message>
        <source>MainWindow</source>
        <translation>主窗口</translation>
    </message>
    <message>
        <source>Preset 
 Sounds</source>
        <translation>预置 
 音色</translation>
    </message>
    <message>
        <source>Pad 
 Settings </source>
        <translation>打击垫 
 设置 </translation>
    </message>
    <message>
        <source>Kit 
 Chain</source>
        <translation>套鼓 
 链</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Kit Copy</source>
        <translation>套鼓复制</translation>
    </message>
    <message>
        <source>KIT NUMBER NO.</source>
        <translation>套鼓编号</translation>
    </message>
    <message>
        <source>Switch kit Number to the previous kit
and save the current kit settings</source>
        <translation>切换到上一个套鼓
并保存当前套鼓设置</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Switch kit Number to the specified kit
and save the current kit settings</source>
        <translation>切换到指定的套鼓
并保存当前套鼓设置</translation>
    </message>
    <message>
        <source>Switch kit Number to the next kit
and save the current kit settings</source>
        <translation>切换到下一个套鼓
并保存当前套鼓设置</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Please import one or more INI files, or one BIN file.</source>
        <translation>请导入一个或多个 INI 文件，或一个 BIN 文件。</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Save as one or more INI files, or one BIN file.</source>
        <translation>保存为一个或多个 INI 文件，或一个 BIN 文件。</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;KIT CHAIN&lt;/p&gt;&lt;p&gt;FUNCTION&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;套鼓链&lt;/p&gt;&lt;p&gt;功能&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>KIT CHAIN</source>
        <translation>套鼓链</translation>
    </message>
    <message>
        <source>Save KIT CHAIN</source>
        <translation>保存套鼓链</translation>
    </message>
    <message>
        <source>LOCAL SOUND CATEGORY</source>
        <translation>本地音色分类</translation>
    </message>
    <message>
        <source>Create A New Category</source>
        <translation>新建分类</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Add Sound Files</source>
        <translation>添加音色文件</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Delete Sound</source>
        <translation>删除音色</translation>
    </message>
    <message>
        <source>DEL </source>
        <translation>删除 </translation>
    </message>
    <message>
        <source>MY KITS</source>
        <translation>我的套鼓</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>MY SOUND LIST</source>
        <translation>我的音色列表</translation>
    </message>
    <message>
        <source>LED Color:</source>
        <translation>LED 颜色：</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>橙色</translation>
    </message>
    <message>
        <source>LuOrange</source>
        <translation>亮橙色</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄色</translation>
    </message>
    <message>
        <source>GreBlue</source>
        <translation>青蓝色</translation>
    </message>
    <message>
        <source>MayGreen</source>
        <translation>嫩绿色</translation>
    </message>
    <message>
        <source>LigGreen</source>
        <translation>浅绿色</translation>
    </message>
    <message>
        <source>LigBlue</source>
        <translation>浅蓝色</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>青色</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>紫色</translation>
    </message>
    <message>
        <source>AntPink</source>
        <translation>古粉色</translation>
    </message>
    <message>
        <source>HtViolet</source>
        <translation>艳紫色</translation>
    </message>
    <message>
        <source>PrlViolet</source>
        <translation>珠光紫</translation>
    </message>
    <message>
        <source>LED Hit Color:</source>
        <translation>LED 敲击颜色：</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD1</source>
        <translation>踩镲控制-PAD1</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD2</source>
        <translation>踩镲控制-PAD2</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD3</source>
        <translation>踩镲控制-PAD3</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD4</source>
        <translation>踩镲控制-PAD4</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD5</source>
        <translation>踩镲控制-PAD5</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD6</source>
        <translation>踩镲控制-PAD6</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD7</source>
        <translation>踩镲控制-PAD7</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD8</source>
        <translation>踩镲控制-PAD8</translation>
    </message>
    <message>
        <source>HiHat-Control-PAD9</source>
        <translation>踩镲控制-PAD9</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG1</source>
        <translation>踩镲控制-TRIG1</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG2</source>
        <translation>踩镲控制-TRIG2</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG3</source>
        <translation>踩镲控制-TRIG3</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG4</source>
        <translation>踩镲控制-TRIG4</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG5/TRIG6</source>
        <translation>踩镲控制-TRIG5/TRIG6</translation>
    </message>
    <message>
        <source>HiHat-Control-TRIG7/TRIG8</source>
        <translation>踩镲控制-TRIG7/TRIG8</translation>
    </message>
    <message>
        <source>HH Open B</source>
        <translation>踩镲开 B</translation>
    </message>
    <message>
        <source>HH Open A</source>
        <translation>踩镲开 A</translation>
    </message>
    <message>
        <source>HH Close B</source>
        <translation>踩镲闭 B</translation>
    </message>
    <message>
        <source>HH Close A</source>
        <translation>踩镲闭 A</translation>
    </message>
    <message>
        <source>HH Pedal </source>
        <translation>踩镲踏板 </translation>
    </message>
    <message>
        <source>Velocity1:</source>
        <translation>力度1：</translation>
    </message>
    <message>
        <source>127</source>
        <translation>127</translation>
    </message>
    <message>
        <source>Velocity2:</source>
        <translation>力度2：</translation>
    </message>
    <message>
        <source>99</source>
        <translation>99</translation>
    </message>
    <message>
        <source>Velocity3:</source>
        <translation>力度3：</translation>
    </message>
    <message>
        <source>79</source>
        <translation>79</translation>
    </message>
    <message>
        <source>Velocity4:</source>
        <translation>力度4：</translation>
    </message>
    <message>
        <source>39</source>
        <translation>39</translation>
    </message>
    <message>
        <source>HH Layer4:</source>
        <translation>踩镲力度层4：</translation>
    </message>
    <message>
        <source>Pad No.:</source>
        <translation>打击垫号：</translation>
    </message>
    <message>
        <source>Switch pad number to specified pad
and save the current pad settings</source>
        <translation>切换到指定的打击垫
并保存当前打击垫设置</translation>
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
        <translation>MIDI 音符号：</translation>
    </message>
    <message>
        <source>MIDI Channel:</source>
        <translation>MIDI 通道：</translation>
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
        <translation>全局通道</translation>
    </message>
    <message>
        <source>MIDI GATE:</source>
        <translation>MIDI 门限时间：</translation>
    </message>
    <message>
        <source>Ext CTRL:</source>
        <translation>外部控制：</translation>
    </message>
    <message>
        <source>PAD Output:</source>
        <translation>打击垫输出：</translation>
    </message>
    <message>
        <source>Mute Group:</source>
        <translation>静音组：</translation>
    </message>
    <message>
        <source>Tempo Sync:</source>
        <translation>速度同步：</translation>
    </message>
    <message>
        <source>Poly/Mono:</source>
        <translation>复音/单音：</translation>
    </message>
    <message>
        <source>Poly</source>
        <translation>复音</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>单音</translation>
    </message>
    <message>
        <source>Dynamic:</source>
        <translation>力度响应：</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>类型：</translation>
    </message>
    <message>
        <source>Wave A Only</source>
        <translation>仅音色 A</translation>
    </message>
    <message>
        <source>Wave B Only</source>
        <translation>仅音色 B</translation>
    </message>
    <message>
        <source>Simultaneously</source>
        <translation>同时发声</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>切换</translation>
    </message>
    <message>
        <source>Round Robin</source>
        <translation>轮流发声</translation>
    </message>
    <message>
        <source>Loop:</source>
        <translation>循环：</translation>
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
        <translation>无限</translation>
    </message>
    <message>
        <source>Trig Type:</source>
        <translation>触发类型：</translation>
    </message>
    <message>
        <source>Shot</source>
        <translation>单次</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>交替</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>阈值：</translation>
    </message>
    <message>
        <source>WAVE A Name:</source>
        <translation>音色 A 名称：</translation>
    </message>
    <message>
        <source>/</source>
        <translation>/</translation>
    </message>
    <message>
        <source>WAVE A Volume:</source>
        <translation>音色 A 音量：</translation>
    </message>
    <message>
        <source>WAVE A PAN:</source>
        <translation>音色 A 声像：</translation>
    </message>
    <message>
        <source>L16</source>
        <translation>左16</translation>
    </message>
    <message>
        <source>L15</source>
        <translation>左15</translation>
    </message>
    <message>
        <source>L14</source>
        <translation>左14</translation>
    </message>
    <message>
        <source>L13</source>
        <translation>左13</translation>
    </message>
    <message>
        <source>L12</source>
        <translation>左12</translation>
    </message>
    <message>
        <source>L11</source>
        <translation>左11</translation>
    </message>
    <message>
        <source>L10</source>
        <translation>左10</translation>
    </message>
    <message>
        <source>L9</source>
        <translation>左9</translation>
    </message>
    <message>
        <source>L8</source>
        <translation>左8</translation>
    </message>
    <message>
        <source>L7</source>
        <translation>左7</translation>
    </message>
    <message>
        <source>L6</source>
        <translation>左6</translation>
    </message>
    <message>
        <source>L5</source>
        <translation>左5</translation>
    </message>
    <message>
        <source>L4</source>
        <translation>左4</translation>
    </message>
    <message>
        <source>L3</source>
        <translation>左3</translation>
    </message>
    <message>
        <source>L2</source>
        <translation>左2</translation>
    </message>
    <message>
        <source>L1</source>
        <translation>左1</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>R1</source>
        <translation>右1</translation>
    </message>
    <message>
        <source>R2</source>
        <translation>右2</translation>
    </message>
    <message>
        <source>R3</source>
        <translation>右3</translation>
    </message>
    <message>
        <source>R4</source>
        <translation>右4</translation>
    </message>
    <message>
        <source>R5</source>
        <translation>右5</translation>
    </message>
    <message>
        <source>R6</source>
        <translation>右6</translation>
    </message>
    <message>
        <source>R7</source>
        <translation>右7</translation>
    </message>
    <message>
        <source>R8</source>
        <translation>右8</translation>
    </message>
    <message>
        <source>R9</source>
        <translation>右9</translation>
    </message>
    <message>
        <source>R10</source>
        <translation>右10</translation>
    </message>
    <message>
        <source>R11</source>
        <translation>右11</translation>
    </message>
    <message>
        <source>R12</source>
        <translation>右12</translation>
    </message>
    <message>
        <source>R13</source>
        <translation>右13</translation>
    </message>
    <message>
        <source>R14</source>
        <translation>右14</translation>
    </message>
    <message>
        <source>R15</source>
        <translation>右15</translation>
    </message>
    <message>
        <source>R16</source>
        <translation>右16</translation>
    </message>
    <message>
        <source>WAVE A Pitch:</source>
        <translation>音色 A 音高：</translation>
    </message>
    <message>
        <source>WAVE A Decay:</source>
        <translation>音色 A 衰减：</translation>
    </message>
    <message>
        <source>WAVE B Name:</source>
        <translation>音色 B 名称：</translation>
    </message>
    <message>
        <source>WAVE B Volume:</source>
        <translation>音色 B 音量：</translation>
    </message>
    <message>
        <source>WAVE B PAN:</source>
        <translation>音色 B 声像：</translation>
    </message>
    <message>
        <source>WAVE B Pitch:</source>
        <translation>音色 B 音高：</translation>
    </message>
    <message>
        <source>WAVE B Decay:</source>
        <translation>音色 B 衰减：</translation>
    </message>
    <message>
        <source>Original order</source>
        <translation>原始顺序</translation>
    </message>
    <message>
        <source>Kit Order</source>
        <translation>套鼓顺序</translation>
    </message>
    <message>
        <source>cus</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>DEL</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Import Sound List</source>
        <translation>导入音色列表</translation>
    </message>
    <message>
        <source>IMP SL</source>
        <translation>导入列表</translation>
    </message>
    <message>
        <source>Export Sound List</source>
        <translation>导出音色列表</translation>
    </message>
    <message>
        <source>EXP SL</source>
        <translation>导出列表</translation>
    </message>
    <message>
        <source>Kit No.:</source>
        <translation>套鼓号：</translation>
    </message>
    <message>
        <source>Kit Name:</source>
        <translation>套鼓名称：</translation>
    </message>
    <message>
        <source>Kit Volume:</source>
        <translation>套鼓音量：</translation>
    </message>
    <message>
        <source>Kit Click:</source>
        <translation>套鼓速度：</translation>
    </message>
    <message>
        <source>Link group:</source>
        <translation>联动组：</translation>
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
        <translation>套鼓效果1：</translation>
    </message>
    <message>
        <source>THRU</source>
        <translation>直通</translation>
    </message>
    <message>
        <source>ECHO</source>
        <translation>回声</translation>
    </message>
    <message>
        <source>ECHO-PITCH</source>
        <translation>回声-变调</translation>
    </message>
    <message>
        <source>PITCH SHIFT</source>
        <translation>移调</translation>
    </message>
    <message>
        <source>PING PONG</source>
        <translation>乒乓延迟</translation>
    </message>
    <message>
        <source>REV1</source>
        <translation>混响1</translation>
    </message>
    <message>
        <source>REV2</source>
        <translation>混响2</translation>
    </message>
    <message>
        <source>REV3</source>
        <translation>混响3</translation>
    </message>
    <message>
        <source>LARGE PLATE</source>
        <translation>大板混响</translation>
    </message>
    <message>
        <source>SMALL PLATE</source>
        <translation>小板混响</translation>
    </message>
    <message>
        <source>TIGHT PLATE</source>
        <translation>紧凑板混响</translation>
    </message>
    <message>
        <source>GATED</source>
        <translation>门限混响</translation>
    </message>
    <message>
        <source>PA VOCAL</source>
        <translation>扩声人声</translation>
    </message>
    <message>
        <source>CHORUS</source>
        <translation>合唱</translation>
    </message>
    <message>
        <source>FLANGER</source>
        <translation>镶边</translation>
    </message>
    <message>
        <source>REV-TREMOLO</source>
        <translation>混响-颤音</translation>
    </message>
    <message>
        <source>REV-FLANGE</source>
        <translation>混响-镶边</translation>
    </message>
    <message>
        <source>REV-CHORUS</source>
        <translation>混响-合唱</translation>
    </message>
    <message>
        <source>REV-KEY</source>
        <translation>混响-键控</translation>
    </message>
    <message>
        <source>DANCE-P-L</source>
        <translation>舞曲-P-L</translation>
    </message>
    <message>
        <source>DANCE-H-L</source>
        <translation>舞曲-H-L</translation>
    </message>
    <message>
        <source>DANCE-FLA-L</source>
        <translation>舞曲-FLA-L</translation>
    </message>
    <message>
        <source>RMS SOFT KNEE</source>
        <translation>RMS 软拐点压缩</translation>
    </message>
    <message>
        <source>ACT XOVER</source>
        <translation>有源分频</translation>
    </message>
    <message>
        <source>Effect1 No.:</source>
        <translation>效果1编号：</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Effect1 Ctrl1:</source>
        <translation>效果1控制1：</translation>
    </message>
    <message>
        <source>Effect1 Ctrl2:</source>
        <translation>效果1控制2：</translation>
    </message>
    <message>
        <source>Effect1 Ctrl3:</source>
        <translation>效果1控制3：</translation>
    </message>
    <message>
        <source>Kit Effect2:</source>
        <translation>套鼓效果2：</translation>
    </message>
    <message>
        <source>Effect2 No.:</source>
        <translation>效果2编号：</translation>
    </message>
    <message>
        <source>Effect2 Ctrl1:</source>
        <translation>效果2控制1：</translation>
    </message>
    <message>
        <source>Effect2 Ctrl2:</source>
        <translation>效果2控制2：</translation>
    </message>
    <message>
        <source>Effect2 Ctrl3:</source>
        <translation>效果2控制3：</translation>
    </message>
    <message>
        <source>Kit Effect3:</source>
        <translation>套鼓效果3：</translation>
    </message>
    <message>
        <source>Effect3 No.:</source>
        <translation>效果3编号：</translation>
    </message>
    <message>
        <source>Effect3 Ctrl1:</source>
        <translation>效果3控制1：</translation>
    </message>
    <message>
        <source>Effect3 Ctrl2:</source>
        <translation>效果3控制2：</translation>
    </message>
    <message>
        <source>Effect3 Ctrl3:</source>
        <translation>效果3控制3：</translation>
    </message>
    <message>
        <source>Master Effect:</source>
        <translation>主效果：</translation>
    </message>
    <message>
        <source>REV_TREMELO</source>
        <translation>混响_颤音</translation>
    </message>
    <message>
        <source>REV_FLANGE</source>
        <translation>混响_镶边</translation>
    </message>
    <message>
        <source>REV_CHORUS</source>
        <translation>混响_合唱</translation>
    </message>
    <message>
        <source>Effect4 No.:</source>
        <translation>效果4编号：</translation>
    </message>
    <message>
        <source>Effect4 Ctrl1:</source>
        <translation>效果4控制1：</translation>
    </message>
    <message>
        <source>Effect4 Ctrl2:</source>
        <translation>效果4控制2：</translation>
    </message>
    <message>
        <source>Effect4 Ctrl3:</source>
        <translation>效果4控制3：</translation>
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
        <translation>样本</translation>
    </message>
    <message>
        <source>00:00</source>
        <translation>00:00</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>1.01</source>
        <translation>1.01</translation>
    </message>
    <message>
        <source>BackUp Identifier:</source>
        <translation>备份标识：</translation>
    </message>
    <message>
        <source>BACKUP</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Editing Effect:</source>
        <translation>编辑效果：</translation>
    </message>
    <message>
        <source>Effect OFF:</source>
        <translation>效果关闭：</translation>
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
        <translation>效果编号：</translation>
    </message>
    <message>
        <source>Effect Ctrl1:</source>
        <translation>效果控制1：</translation>
    </message>
    <message>
        <source>Effect Crtl2:</source>
        <translation>效果控制2：</translation>
    </message>
    <message>
        <source>Effect Crtl3:</source>
        <translation>效果控制3：</translation>
    </message>
    <message>
        <source>Audio:</source>
        <translation>音频：</translation>
    </message>
    <message>
        <source>Audio in volume:</source>
        <translation>音频输入音量：</translation>
    </message>
    <message>
        <source>BT Audio volume:</source>
        <translation>蓝牙音频音量：</translation>
    </message>
    <message>
        <source>Systan Gain:</source>
        <translation>系统增益：</translation>
    </message>
    <message>
        <source>Audio Output:</source>
        <translation>音频输出：</translation>
    </message>
    <message>
        <source>MIDI:</source>
        <translation>MIDI 设置：</translation>
    </message>
    <message>
        <source>Global CH:</source>
        <translation>全局通道：</translation>
    </message>
    <message>
        <source>EXT CTRL:</source>
        <translation>外部控制：</translation>
    </message>
    <message>
        <source>MIDI SYNC:</source>
        <translation>MIDI 同步：</translation>
    </message>
    <message>
        <source>SOFT THRU:</source>
        <translation>软直通：</translation>
    </message>
    <message>
        <source>PC SW:</source>
        <translation>音色切换(PC)：</translation>
    </message>
    <message>
        <source>CC SW:</source>
        <translation>控制切换(CC)：</translation>
    </message>
    <message>
        <source>FX Ctrl1 CC:</source>
        <translation>效果控制1 CC：</translation>
    </message>
    <message>
        <source>71</source>
        <translation>71</translation>
    </message>
    <message>
        <source>FX Ctrl2 CC:</source>
        <translation>效果控制2 CC：</translation>
    </message>
    <message>
        <source>72</source>
        <translation>72</translation>
    </message>
    <message>
        <source>Sensivity:</source>
        <translation>灵敏度：</translation>
    </message>
    <message>
        <source>Curve:</source>
        <translation>曲线：</translation>
    </message>
    <message>
        <source>linear</source>
        <translation>线性</translation>
    </message>
    <message>
        <source>Mask Time:</source>
        <translation>屏蔽时间：</translation>
    </message>
    <message>
        <source>Retrig Level:</source>
        <translation>重触发电平：</translation>
    </message>
    <message>
        <source>Anti-cross:</source>
        <translation>防串扰：</translation>
    </message>
    <message>
        <source>Rim Gain(Threshold):</source>
        <translation>鼓边增益(阈值)：</translation>
    </message>
    <message>
        <source>Dynamic Range:</source>
        <translation>动态范围：</translation>
    </message>
    <message>
        <source>LCD/LED:</source>
        <translation>LCD/LED 设置：</translation>
    </message>
    <message>
        <source>LCD Contrast:</source>
        <translation>LCD 对比度：</translation>
    </message>
    <message>
        <source>LED Type:</source>
        <translation>LED 类型：</translation>
    </message>
    <message>
        <source>Type1</source>
        <translation>类型1</translation>
    </message>
    <message>
        <source>Type2</source>
        <translation>类型2</translation>
    </message>
    <message>
        <source>LED LOGO:</source>
        <translation>LED 标志：</translation>
    </message>
    <message>
        <source>ColorFul</source>
        <translation>彩色</translation>
    </message>
    <message>
        <source>Tempo Indicate:</source>
        <translation>速度指示：</translation>
    </message>
    <message>
        <source>Rec Level:</source>
        <translation>录音电平：</translation>
    </message>
    <message>
        <source>Auto State:</source>
        <translation>自动状态：</translation>
    </message>
    <message>
        <source>Loop Click:</source>
        <translation>循环节拍器：</translation>
    </message>
    <message>
        <source>Loop Qtz:</source>
        <translation>循环量化：</translation>
    </message>
    <message>
        <source>Loop Meas:</source>
        <translation>循环小节：</translation>
    </message>
    <message>
        <source>Loop Meas Index:</source>
        <translation>循环小节序号：</translation>
    </message>
    <message>
        <source>Rec Pad:</source>
        <translation>录音打击垫：</translation>
    </message>
    <message>
        <source>Click Sound No.:</source>
        <translation>节拍器音色号：</translation>
    </message>
    <message>
        <source>Click Sound Name:</source>
        <translation>节拍器音色名：</translation>
    </message>
    <message>
        <source>beat:</source>
        <translation>拍数：</translation>
    </message>
    <message>
        <source>Click Pan:</source>
        <translation>节拍器声像：</translation>
    </message>
    <message>
        <source>Click Volume:</source>
        <translation>节拍器音量：</translation>
    </message>
    <message>
        <source>Click Output:</source>
        <translation>节拍器输出：</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手册</translation>
    </message>
    <message>
        <source>Sound Kit Interface</source>
        <translation>音色套鼓界面</translation>
    </message>
    <message>
        <source>Back to Main Interface</source>
        <translation>返回主界面</translation>
    </message>
    <message>
        <source>About Korvanta</source>
        <translation>关于 Korvanta</translation>
    </message>
    <message>
        <source>Export sound library</source>
        <translation>导出音色库</translation>
    </message>
    <message>
        <source>Import sound library</source>
        <translation>导入音色库</translation>
    </message>
    <message>
        <source>Global Setting Interface</source>
        <translation>全局设置界面</translation>
    </message>
    <message>
        <source>Renumber</source>
        <translation>重新编号</translation>
    </message>
    <message>
        <source>Device Unconnect(Default)</source>
        <translation>设备未连接(默认)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The current disk is not the sampler pad.</source>
        <translation>当前磁盘不是采样打击垫。</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Failed to create temporary directory!</source>
        <translation>创建临时目录失败！</translation>
    </message>
    <message>
        <source>ASC</source>
        <translation>升序</translation>
    </message>
    <message>
        <source>DESC</source>
        <translation>降序</translation>
    </message>
    <message>
        <source>Ascending Order</source>
        <translation>升序排列</translation>
    </message>
    <message>
        <source>Descending Order</source>
        <translation>降序排列</translation>
    </message>
    <message>
        <source>KIT</source>
        <translation>套鼓</translation>
    </message>
    <message>
        <source>DEFAULT</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>KIT CHIAN </source>
        <translation>套鼓链 </translation>
    </message>
    <message>
        <source>FUNCTION</source>
        <translation>功能</translation>
    </message>
    <message>
        <source>Sound Kit Setting</source>
        <translation>音色套鼓设置</translation>
    </message>
    <message>
        <source>HH Setting</source>
        <translation>踩镲设置</translation>
    </message>
    <message>
        <source>Pad Setting</source>
        <translation>打击垫设置</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Metronome Setting:</source>
        <translation>节拍器设置：</translation>
    </message>
    <message>
        <source>Metronome Sound List:</source>
        <translation>节拍器音色列表：</translation>
    </message>
    <message>
        <source>Import click sound</source>
        <translation>导入节拍器音色</translation>
    </message>
    <message>
        <source>Delete click sound</source>
        <translation>删除节拍器音色</translation>
    </message>
    <message>
        <source>Export Global</source>
        <translation>导出全局设置</translation>
    </message>
    <message>
        <source>Pad Copy </source>
        <translation>打击垫复制 </translation>
    </message>
    <message>
        <source>Clear Assignments</source>
        <translation>清除分配</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Quit?</source>
        <translation>退出？</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Deleting group name is not supported.</source>
        <translation>不支持删除分组名称。</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Failed to generate file.</source>
        <translation>生成文件失败。</translation>
    </message>
    <message>
        <source>File location:</source>
        <translation>文件位置：</translation>
    </message>
    <message>
        <source>successfully saved.</source>
        <translation>保存成功。</translation>
    </message>
    <message>
        <source>The file has been generated:</source>
        <translation>文件已生成：</translation>
    </message>
    <message>
        <source> does not exist.</source>
        <translation> 不存在。</translation>
    </message>
    <message>
        <source>Please check path:</source>
        <translation>请检查路径：</translation>
    </message>
    <message>
        <source>Except for the option 'OFF', the link1 parameter must not be the same as the link2 parameter.</source>
        <translation>除“OFF”选项外，联动1参数不能与联动2参数相同。</translation>
    </message>
    <message>
        <source>Except for the option 'OFF', the link2 parameter must not be the same as the link1 parameter.</source>
        <translation>除“OFF”选项外，联动2参数不能与联动1参数相同。</translation>
    </message>
    <message>
        <source>Invalid Value</source>
        <translation>无效数值</translation>
    </message>
    <message>
        <source>Value must be between 0 and 511.</source>
        <translation>数值必须在 0 到 511 之间。</translation>
    </message>
    <message>
        <source>The kit number can not be blank.</source>
        <translation>套鼓号不能为空。</translation>
    </message>
    <message>
        <source>The range of kit number is 1~100.</source>
        <translation>套鼓号范围为 1~100。</translation>
    </message>
    <message>
        <source>Kit name can't be blank!</source>
        <translation>套鼓名称不能为空！</translation>
    </message>
    <message>
        <source>The kit name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:</source>
        <translation>套鼓名称必须以字母或数字开头和结尾，中间可包含字母、数字、空格及以下符号：</translation>
    </message>
    <message>
        <source>The maximum number of kit name's character can't exceed 10!</source>
        <translation>套鼓名称最多不能超过 10 个字符！</translation>
    </message>
    <message>
        <source>HH Pedal</source>
        <translation>踩镲踏板</translation>
    </message>
    <message>
        <source>Mix</source>
        <translation>混合</translation>
    </message>
    <message>
        <source>Fade</source>
        <translation>渐变</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Fail to read kit file, import failed.</source>
        <translation>读取套鼓文件失败，导入失败。</translation>
    </message>
    <message>
        <source>Kit </source>
        <translation>套鼓 </translation>
    </message>
    <message>
        <source>is automatically renamed, as it exceeds 10 characters or contains special symbol.</source>
        <translation>已自动重命名，因为名称超过 10 个字符或包含特殊符号。</translation>
    </message>
    <message>
        <source>are automatically renamed, as they exceed 10 characters or contain special symbol.</source>
        <translation>已自动重命名，因为名称超过 10 个字符或包含特殊符号。</translation>
    </message>
    <message>
        <source>Fail to read file, import failed.</source>
        <translation>读取文件失败，导入失败。</translation>
    </message>
    <message>
        <source>The sound of number </source>
        <translation>编号为 </translation>
    </message>
    <message>
        <source> in the wave list is incorrect.</source>
        <translation type="vanished"> 在音色列表中不正确。</translation>
    </message>
    <message>
        <source>Read wave prm file failed, import failed.</source>
        <translation>读取音色参数文件失败，导入失败。</translation>
    </message>
    <message>
        <source>The number of sound can not exceed 9999.</source>
        <translation>音色数量不能超过 9999 个。</translation>
    </message>
    <message>
        <source>The </source>
        <translation>第 </translation>
    </message>
    <message>
        <source>item is automatically renamed, as it exceeds 16 characters or ends with special symbol.</source>
        <translation>项已自动重命名，因为名称超过 16 个字符或以特殊符号结尾。</translation>
    </message>
    <message>
        <source>item are automatically renamed, as they exceed 16 characters or end with special symbol.</source>
        <translation>项已自动重命名，因为名称超过 16 个字符或以特殊符号结尾。</translation>
    </message>
    <message>
        <source> is stored more than once on the sampler pad.</source>
        <translation> 在采样打击垫中被存储了多次。</translation>
    </message>
    <message>
        <source>The sounds on the sampler pad could not be renumbered; they keep their numbers.</source>
        <translation>无法对采样打击垫中的音色重新编号；它们保留原来的编号。</translation>
    </message>
    <message>
        <source>Failed to create the folder.</source>
        <translation>创建文件夹失败。</translation>
    </message>
    <message>
        <source>Folder Location: </source>
        <translation>文件夹位置：</translation>
    </message>
    <message>
        <source>Missing some files for the program!</source>
        <translation>程序缺少部分文件！</translation>
    </message>
    <message>
        <source>Wrong data in file：</source>
        <translation>文件中的数据有误：</translation>
    </message>
    <message>
        <source>The 350 device was disconnected.</source>
        <translation>350 设备已断开连接。</translation>
    </message>
    <message>
        <source>Failed to save file.</source>
        <translation>保存文件失败。</translation>
    </message>
    <message>
        <source>Disconnect the 350 device.</source>
        <translation>请断开 350 设备。</translation>
    </message>
    <message>
        <source>When using the online mode of Korvanta again,</source>
        <translation>再次使用 Korvanta 联机模式时，</translation>
    </message>
    <message>
        <source>reconnect the USB cable.</source>
        <translation>请重新连接 USB 数据线。</translation>
    </message>
    <message>
        <source>The sampler pad could not be ejected. Eject it in the system before you unplug it.</source>
        <translation>无法弹出采样打击垫。请先在系统中弹出，再拔下设备。</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>打开错误</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad.</source>
        <translation>未能保存到采样打击垫。</translation>
    </message>
    <message>
        <source>were not saved to the sampler pad.</source>
        <translation>未能保存到采样打击垫。</translation>
    </message>
    <message>
        <source>Open error.</source>
        <translation>打开错误。</translation>
    </message>
    <message>
        <source>Create a new category</source>
        <translation>新建分类</translation>
    </message>
    <message>
        <source>Please enter name for the category.</source>
        <translation>请输入分类名称。</translation>
    </message>
    <message>
        <source>New category name can't be blank.</source>
        <translation>新分类名称不能为空。</translation>
    </message>
    <message>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The category already exists, please recreate a new category.</source>
        <translation>该分类已存在，请重新创建新分类。</translation>
    </message>
    <message>
        <source>The selected sound category is not valid.</source>
        <translation>所选音色分类无效。</translation>
    </message>
    <message>
        <source>Choose a category to add sounds.</source>
        <translation>请选择要添加音色的分类。</translation>
    </message>
    <message>
        <source>Select file to add</source>
        <translation>选择要添加的文件</translation>
    </message>
    <message>
        <source>Choose no file!</source>
        <translation>未选择文件！</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Some files already exist. Do you want to add duplicate files?</source>
        <translation>部分文件已存在。是否添加重复文件？</translation>
    </message>
    <message>
        <source>Some files already exist. Don't support to add duplicate files!</source>
        <translation>部分文件已存在。不支持添加重复文件！</translation>
    </message>
    <message>
        <source>Sound name can't be blank!</source>
        <translation>音色名称不能为空！</translation>
    </message>
    <message>
        <source>The sound name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:</source>
        <translation>音色名称必须以字母或数字开头和结尾，中间可包含字母、数字、空格及以下符号：</translation>
    </message>
    <message>
        <source>The maximum number of sound name's character can't exceed 16!</source>
        <translation>音色名称最多不能超过 16 个字符！</translation>
    </message>
    <message>
        <source>Adding the sound of a sampler pad is not supported. File location: </source>
        <translation>不支持添加采样打击垫中的音色。文件位置：</translation>
    </message>
    <message>
        <source>The list is full. Please delete some metronome sounds before importing more.</source>
        <translation>列表已满。请先删除部分节拍器音色再导入。</translation>
    </message>
    <message>
        <source>Obtain click sound files</source>
        <translation>获取节拍器音色文件</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Only supports importing up to 5 metronome sounds.</source>
        <translation>最多只支持导入 5 个节拍器音色。</translation>
    </message>
    <message>
        <source>The list capacity is 5. Please import metronome sounds  up to the maximum capacity based on the list's limit.</source>
        <translation>列表容量为 5。请按列表上限导入节拍器音色。</translation>
    </message>
    <message>
        <source>The sound length is less than 4KB and does not support import.</source>
        <translation>音色长度小于 4KB，不支持导入。</translation>
    </message>
    <message>
        <source>Metronome Sound Group</source>
        <translation>节拍器音色组</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>请稍候...</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>Play error!</source>
        <translation>播放错误！</translation>
    </message>
    <message>
        <source>File error!</source>
        <translation>文件错误！</translation>
    </message>
    <message>
        <source>sound exists in Kit </source>
        <translation>音色存在于套鼓 </translation>
    </message>
    <message>
        <source>If you want to delete a sound, please find it in the right list and press 'OK' to confirm.</source>
        <translation>如需删除音色，请在右侧列表中找到它，然后按“确定”确认。</translation>
    </message>
    <message>
        <source>File not found:</source>
        <translation>未找到文件：</translation>
    </message>
    <message>
        <source>File Location: </source>
        <translation>文件位置：</translation>
    </message>
    <message>
        <source>This sound is not in wave format.</source>
        <translation>该音色不是 WAV 格式。</translation>
    </message>
    <message>
        <source>This sound is not in wave format</source>
        <translation>该音色不是 WAV 格式</translation>
    </message>
    <message>
        <source>The file has been modified. The target sound was not found.</source>
        <translation>文件已被修改，未找到目标音色。</translation>
    </message>
    <message>
        <source>Open file error.</source>
        <translation>打开文件出错。</translation>
    </message>
    <message>
        <source>Open sound file error.</source>
        <translation>打开音色文件出错。</translation>
    </message>
    <message>
        <source> and </source>
        <translation> 和 </translation>
    </message>
    <message>
        <source>and </source>
        <translation>和 </translation>
    </message>
    <message>
        <source>The file size exceeds 4GB, import failed.</source>
        <translation>文件大小超过 4GB，导入失败。</translation>
    </message>
    <message>
        <source>The file size exceeds 4GB, import failed. </source>
        <translation>文件大小超过 4GB，导入失败。</translation>
    </message>
    <message>
        <source>File data error!</source>
        <translation>文件数据错误！</translation>
    </message>
    <message>
        <source>The imported kit file version is outdated. Please import new version file.</source>
        <translation>导入的套鼓文件版本过旧，请导入新版本文件。</translation>
    </message>
    <message>
        <source>Sound data format error, import failed.</source>
        <translation>音色数据格式错误，导入失败。</translation>
    </message>
    <message>
        <source>File location: </source>
        <translation>文件位置：</translation>
    </message>
    <message>
        <source>The number of Click sound must be 5.</source>
        <translation>节拍器音色数量必须为 5 个。</translation>
    </message>
    <message>
        <source>There is an error with the sound file path for Kit. </source>
        <translation>套鼓的音色文件路径有误。</translation>
    </message>
    <message>
        <source>There is an error with the sound file path for Kit </source>
        <translation>套鼓的音色文件路径有误：套鼓 </translation>
    </message>
    <message>
        <source>The file has been modified. Export failed.</source>
        <translation>文件已被修改，导出失败。</translation>
    </message>
    <message>
        <source>File error:</source>
        <translation>文件错误：</translation>
    </message>
    <message>
        <source>The file size exceeds 4GB, save failed.</source>
        <translation>文件大小超过 4GB，保存失败。</translation>
    </message>
    <message>
        <source>Please stop playing the music before importing or saving the file.</source>
        <translation>导入或保存文件前请先停止播放。</translation>
    </message>
    <message>
        <source>The old file could not be replaced:</source>
        <translation>旧文件无法被替换：</translation>
    </message>
    <message>
        <source>The new file is kept as:</source>
        <translation>新文件保存为：</translation>
    </message>
    <message>
        <source>The target is not a regular file (a folder, pipe or device), so nothing is saved:</source>
        <translation>目标不是普通文件（文件夹、管道或设备），未保存任何内容：</translation>
    </message>
    <message>
        <source>The written file does not read back as a kit file, so it is not saved:</source>
        <translation>写入的文件无法作为套鼓文件读回，文件未保存：</translation>
    </message>
    <message>
        <source>Please import file which is generated by Korvanta.</source>
        <translation>请导入由 Korvanta 生成的文件。</translation>
    </message>
    <message>
        <source>In USB device mode, import files are not supported.</source>
        <translation>USB 设备模式下不支持导入文件。</translation>
    </message>
    <message>
        <source>*Note*</source>
        <translation>*注意*</translation>
    </message>
    <message>
        <source>Importing a new file will delete the corresponding loaded file.</source>
        <translation>导入新文件将删除对应的已加载文件。</translation>
    </message>
    <message>
        <source>Are you sure to continue?</source>
        <translation>确定要继续吗？</translation>
    </message>
    <message>
        <source>Select file.</source>
        <translation>选择文件。</translation>
    </message>
    <message>
        <source>No file data is selected!</source>
        <translation>未选择文件数据！</translation>
    </message>
    <message>
        <source>The format of forder is error.</source>
        <translation>文件夹格式错误。</translation>
    </message>
    <message>
        <source>Select one or more files to open, please note only one binary file can be selected.</source>
        <translation>请选择一个或多个要打开的文件，注意只能选择一个二进制文件。</translation>
    </message>
    <message>
        <source>Only one binary file can be selected.</source>
        <translation>只能选择一个二进制文件。</translation>
    </message>
    <message>
        <source>Output to specified directory</source>
        <translation>输出到指定目录</translation>
    </message>
    <message>
        <source>Please switch to the global configuration interface and import 5 metronome sounds.</source>
        <translation>请切换到全局设置界面并导入 5 个节拍器音色。</translation>
    </message>
    <message>
        <source>The output file is not set.</source>
        <translation>未设置输出文件。</translation>
    </message>
    <message>
        <source>The file already exists. Do you confirm to overwrite it?</source>
        <translation>文件已存在。确定要覆盖吗？</translation>
    </message>
    <message>
        <source>File is being generated...</source>
        <translation>正在生成文件...</translation>
    </message>
    <message>
        <source> open error.</source>
        <translation> 打开出错。</translation>
    </message>
    <message>
        <source>Obtain sound file error.</source>
        <translation>获取音色文件出错。</translation>
    </message>
    <message>
        <source>Fail to open file!</source>
        <translation>打开文件失败！</translation>
    </message>
    <message>
        <source>Invalid data file!</source>
        <translation>无效的数据文件！</translation>
    </message>
    <message>
        <source>The file is being generated...</source>
        <translation>正在生成文件...</translation>
    </message>
    <message>
        <source>Error in obtaining sound, the saving is failed.</source>
        <translation>获取音色出错，保存失败。</translation>
    </message>
    <message>
        <source>Failed to write sound data!</source>
        <translation>写入音色数据失败！</translation>
    </message>
    <message>
        <source>Saving file...</source>
        <translation>正在保存文件...</translation>
    </message>
    <message>
        <source>The files are loading...</source>
        <translation>正在加载文件...</translation>
    </message>
    <message>
        <source>The sounds  of the sampler pad have been cleared. Entering online mode is prohibited</source>
        <translation>采样打击垫的音色已被清除，禁止进入联机模式</translation>
    </message>
    <message>
        <source>Import failed.</source>
        <translation>导入失败。</translation>
    </message>
    <message>
        <source>Importing sound file...</source>
        <translation>正在导入音色文件...</translation>
    </message>
    <message>
        <source>These sounds could not be written to the sampler pad and were not added:</source>
        <translation>以下音色无法写入采样打击垫，未被添加：</translation>
    </message>
    <message>
        <source>Deleting locked sound is not supported!</source>
        <translation>不支持删除已锁定的音色！</translation>
    </message>
    <message>
        <source>Deleting sound file......</source>
        <translation>正在删除音色文件......</translation>
    </message>
    <message>
        <source>Deleting sound group is not supported!</source>
        <translation>不支持删除音色分组！</translation>
    </message>
    <message>
        <source> exists in Kit </source>
        <translation> 存在于套鼓 </translation>
    </message>
    <message>
        <source>Deleting the sound is not supported.</source>
        <translation>不支持删除该音色。</translation>
    </message>
    <message>
        <source>Please clear the sound on the pad.</source>
        <translation>请清除打击垫上的音色。</translation>
    </message>
    <message>
        <source>Deleting pkit file is not supported!</source>
        <translation>不支持删除 pkit 文件！</translation>
    </message>
    <message>
        <source>Deleting the 'Default' group is not supported.</source>
        <translation>不支持删除“Default”分组。</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Are you sure to delete it?</source>
        <translation>确定要删除吗？</translation>
    </message>
    <message>
        <source>Failed to read the file.</source>
        <translation>读取文件失败。</translation>
    </message>
    <message>
        <source>Exporting locked sound is not supported!</source>
        <translation>不支持导出已锁定的音色！</translation>
    </message>
    <message>
        <source>The output file path is not set.</source>
        <translation>未设置输出文件路径。</translation>
    </message>
    <message>
        <source>The file is being exported...</source>
        <translation>正在导出文件...</translation>
    </message>
    <message>
        <source>It is detected that the number of files with the same name has exceeded 100, and the exceeding part will not be exported.</source>
        <translation>检测到同名文件已超过 100 个，超出部分将不会导出。</translation>
    </message>
    <message>
        <source>The export of sound group name is not supported, </source>
        <translation>不支持导出音色分组名称，</translation>
    </message>
    <message>
        <source>but this will not affect the sound export.</source>
        <translation>但这不影响音色的导出。</translation>
    </message>
    <message>
        <source>Error:0012</source>
        <translation>错误：0012</translation>
    </message>
    <message>
        <source>In USB device mode, the sound lock function is not supported</source>
        <translation>USB 设备模式下不支持音色锁定功能</translation>
    </message>
    <message>
        <source>In USB device mode, the sound unlock function is not supported</source>
        <translation>USB 设备模式下不支持音色解锁功能</translation>
    </message>
    <message>
        <source>Sound list can not be blank while performing an export operation.</source>
        <translation>执行导出操作时音色列表不能为空。</translation>
    </message>
    <message>
        <source>successfully exported.</source>
        <translation>导出成功。</translation>
    </message>
    <message>
        <source>File Location:</source>
        <translation>文件位置：</translation>
    </message>
    <message>
        <source>MY SOUND LIST can not be blank while performing an import operation.</source>
        <translation>执行导入操作时“我的音色列表”不能为空。</translation>
    </message>
    <message>
        <source>Select the wave sort txt file.</source>
        <translation>选择音色排序 txt 文件。</translation>
    </message>
    <message>
        <source>The number of waves in the imported file is not equal to sound list. Import failed!</source>
        <translation>导入文件中的音色数量与音色列表不一致，导入失败！</translation>
    </message>
    <message>
        <source>Unable to find sound information in the sound list. Import failed!</source>
        <translation>在音色列表中找不到音色信息，导入失败！</translation>
    </message>
    <message>
        <source>Group name can't be blank!</source>
        <translation>分组名称不能为空！</translation>
    </message>
    <message>
        <source>Creating duplicate group name is not supported.</source>
        <translation>不支持创建重复的分组名称。</translation>
    </message>
    <message>
        <source>Kit No.</source>
        <translation>套鼓号</translation>
    </message>
    <message>
        <source>Kit List</source>
        <translation>套鼓列表</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Copy completed.</source>
        <translation>复制完成。</translation>
    </message>
    <message>
        <source>The default browser failed to open it.</source>
        <translation>默认浏览器无法打开。</translation>
    </message>
    <message>
        <source>Korvanta stays open without the 350 device and keeps your edits.</source>
        <translation>Korvanta 将保持打开（不连接 350 设备），并保留您的所有编辑。</translation>
    </message>
    <message>
        <source>Checking the sound files...</source>
        <translation>正在检查音频文件...</translation>
    </message>
    <message>
        <source>The following files are not readable audio and were not added:</source>
        <translation>以下文件不是可读取的音频，未添加：</translation>
    </message>
    <message>
        <source>A pad's sound is not in the sound list, so the file is not saved:</source>
        <translation>有打击垫的音色不在音色列表中，文件未保存：</translation>
    </message>
    <message>
        <source>A sound cannot be converted, so the file is not saved:</source>
        <translation>有音色无法转换，文件未保存：</translation>
    </message>
    <message>
        <source>Used by Kit </source>
        <translation>使用该音色的套鼓：</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source> (the change file replaces this link when the pad is written at close)</source>
        <translation>（关闭时写入打击垫，变更文件将替换此链接）</translation>
    </message>
    <message>
        <source>These entries of the sampler pad are links and were left out; the editor reads nothing and writes nothing through them:</source>
        <translation>采样打击垫上的以下项目是链接，已被忽略；编辑器不会通过它们读取或写入任何内容：</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad: it changed on the pad since it was loaded.</source>
        <translation>未能保存到采样打击垫：自加载以来它已在打击垫上被更改。</translation>
    </message>
    <message>
        <source>were not saved to the sampler pad: they changed on the pad since it was loaded.</source>
        <translation>未能保存到采样打击垫：自加载以来它们已在打击垫上被更改。</translation>
    </message>
    <message>
        <source>The kit chains were not saved to the sampler pad: they changed on the pad since it was loaded.</source>
        <translation>套鼓链未能保存到采样打击垫：自加载以来它们已在打击垫上被更改。</translation>
    </message>
    <message>
        <source>The change file alter.ini was not saved: the sampler pad changed since it was loaded.</source>
        <translation>变更文件 alter.ini 未能保存：自加载以来采样打击垫已被更换。</translation>
    </message>
    <message>
        <source>Writing these files failed and their old bytes could not be put back; they may be damaged:</source>
        <translation>写入以下文件失败，且无法恢复其原有内容；这些文件可能已损坏：</translation>
    </message>
    <message>
        <source>The sampler pad at the drive is not the one that was loaded: nothing was written to it or deleted from it. Korvanta goes on without the sampler pad and keeps your edits.</source>
        <translation>该驱动器上的采样打击垫不是之前加载的那一个：未向其写入或从中删除任何内容。Korvanta 将在不连接采样打击垫的情况下继续运行，并保留您的所有编辑。</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad: its folder is a link or leads out of the sampler pad.</source>
        <translation>未能保存到采样打击垫：其所在文件夹是链接或指向采样打击垫之外。</translation>
    </message>
    <message>
        <source>were not saved to the sampler pad: their folder is a link or leads out of the sampler pad.</source>
        <translation>未能保存到采样打击垫：它们所在的文件夹是链接或指向采样打击垫之外。</translation>
    </message>
    <message>
        <source>The kit chains were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.</source>
        <translation>套鼓链未能保存到采样打击垫：global.ini 所在的文件夹是链接或指向采样打击垫之外。</translation>
    </message>
    <message>
        <source>The change file alter.ini was not saved: its folder is a link or leads out of the sampler pad.</source>
        <translation>变更文件 alter.ini 未能保存：其所在文件夹是链接或指向采样打击垫之外。</translation>
    </message>
    <message>
        <source>Keeping the sounds still in use...</source>
        <translation>正在保留仍在使用的音色...</translation>
    </message>
    <message>
        <source>A sound of the library, a group or the metronome comes from this file, so nothing is saved:</source>
        <translation>音色库、分组或节拍器中有音色来自此文件，因此未保存任何内容：</translation>
    </message>
    <message>
        <source>The file was written, but the disk did not confirm that it is stored:</source>
        <translation>文件已写入，但磁盘未确认已保存：</translation>
    </message>
    <message>
        <source>Some entries of "%1" could not be read and are not in the sound groups. The file as it was read is kept as "%2".</source>
        <translation type="vanished">“%1”中的部分条目无法读取，未列入音色分组。该文件按读取时的原样保留为“%2”。</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1": %2.

Quit anyway? Choose No to keep the window open, free some space or make the file writable, and close the window again to save them.</source>
        <translation>音色分组无法保存到“%1”：%2。

仍要退出吗？选择“否”可保持窗口打开，释放一些空间或使该文件可写，然后再次关闭窗口以保存音色分组。</translation>
    </message>
    <message>
        <source>waveList</source>
        <translation>音色列表</translation>
    </message>
    <message>
        <source>Lossless sound files</source>
        <translation>无损音频文件</translation>
    </message>
    <message>
        <source>Compressed sound files</source>
        <translation>压缩音频文件</translation>
    </message>
    <message>
        <source>Whole-setup files</source>
        <translation>整套设置文件</translation>
    </message>
    <message>
        <source>Kit and global settings files</source>
        <translation>套鼓与全局设置文件</translation>
    </message>
    <message>
        <source>, and in the hi-hat slots of Kit </source>
        <translation>，以及以下套鼓的踩镲槽中：</translation>
    </message>
    <message>
        <source> exists in the hi-hat slots of Kit </source>
        <translation> 存在于以下套鼓的踩镲槽中：</translation>
    </message>
    <message>
        <source>Please clear the sound in the hi-hat slots on the Pad Settings page.</source>
        <translation>请在“打击垫设置”页面清除踩镲槽中的音色。</translation>
    </message>
    <message>
        <source>This file cannot be imported: it cannot be opened.</source>
        <translation>无法导入此文件：文件无法打开。</translation>
    </message>
    <message>
        <source>This file cannot be imported: it is no kit file, global settings file or whole setup.</source>
        <translation>无法导入此文件：它不是套鼓文件、全局设置文件或整套设置文件。</translation>
    </message>
    <message>
        <source>It is another volume: its volume serial number or its USB serial number differs.</source>
        <translation>它是另一个存储卷：其卷序列号或 USB 序列号不同。</translation>
    </message>
    <message>
        <source>It has the volume serial number of the loaded pad, but its global.ini or its metronome folder differs.</source>
        <translation>它的卷序列号与已加载的采样打击垫相同，但其 global.ini 或节拍器文件夹不同。</translation>
    </message>
    <message>
        <source>It is a copy of the loaded pad with other kits: Kit </source>
        <translation>它是已加载采样打击垫的副本，但套鼓不同：套鼓 </translation>
    </message>
    <message>
        <source>differs.</source>
        <translation>不同。</translation>
    </message>
    <message>
        <source>differ.</source>
        <translation>不同。</translation>
    </message>
    <message>
        <source>The kit chains were saved before that.</source>
        <translation>在此之前套鼓链已保存。</translation>
    </message>
    <message>
        <source>was saved before that.</source>
        <translation>在此之前已保存。</translation>
    </message>
    <message>
        <source>were saved before that.</source>
        <translation>在此之前已保存。</translation>
    </message>
    <message>
        <source>The kit chains were not saved to the sampler pad.</source>
        <translation>套鼓链未能保存到采样打击垫。</translation>
    </message>
    <message>
        <source>The change file alter.ini was not saved.</source>
        <translation>变更文件 alter.ini 未能保存。</translation>
    </message>
    <message>
        <source>Korvanta stays open without the sampler pad and keeps your edits.</source>
        <translation>Korvanta 将保持打开（不连接采样打击垫），并保留您的所有编辑。</translation>
    </message>
    <message>
        <source>The sampler pad is read-only (write-protected).</source>
        <translation>采样打击垫为只读（写保护）。</translation>
    </message>
    <message>
        <source>its folder is a link or leads out of the sampler pad</source>
        <translation>其所在文件夹是链接或指向采样打击垫之外</translation>
    </message>
    <message>
        <source>These sounds were not deleted from the sampler pad and stay in the list:</source>
        <translation>以下音色未能从采样打击垫删除，仍保留在列表中：</translation>
    </message>
    <message>
        <source>Kit %1 %2</source>
        <translation>套鼓 %1 %2</translation>
    </message>
    <message>
        <source>These kits are not saved:</source>
        <translation>以下套鼓未保存：</translation>
    </message>
    <message>
        <source>These files are saved:</source>
        <translation>以下文件已保存：</translation>
    </message>
    <message>
        <source>No file was saved: the existing files stay as they were.</source>
        <translation>未保存任何文件：已有文件保持原样。</translation>
    </message>
    <message>
        <source>These files could not be written:</source>
        <translation>以下文件无法写入：</translation>
    </message>
    <message>
        <source>The file cannot be read:</source>
        <translation>无法读取该文件：</translation>
    </message>
    <message>
        <source>The converted sound could not be written:</source>
        <translation>转换后的音色无法写入：</translation>
    </message>
    <message>
        <source>The sounds still in use could not be kept in this folder:</source>
        <translation>仍在使用的音色无法保存到此文件夹：</translation>
    </message>
    <message>
        <source>The file could not be written:</source>
        <translation>无法写入该文件：</translation>
    </message>
    <message>
        <source>The file is read-only.</source>
        <translation>该文件为只读。</translation>
    </message>
    <message>
        <source>ini files(*.ini *.INI)</source>
        <translation>INI 文件(*.ini *.INI)</translation>
    </message>
    <message>
        <source>The target file was not found.</source>
        <translation>未找到目标文件。</translation>
    </message>
    <message>
        <source>Metronome sounds were not found.</source>
        <translation>未找到节拍器音色。</translation>
    </message>
    <message>
        <source>Wave prm file is error.</source>
        <translation>音色参数文件错误。</translation>
    </message>
    <message>
        <source>The owner %1 could not be kept: the file now belongs to %2.</source>
        <translation>无法保留文件所有者 %1：文件现在属于 %2。</translation>
    </message>
    <message>
        <source>The group %1 could not be kept: the file's group is now %2.</source>
        <translation>无法保留文件所属组 %1：文件的组现在是 %2。</translation>
    </message>
    <message>
        <source>The attribute %1 could not be kept.</source>
        <translation>无法保留文件属性 %1。</translation>
    </message>
    <message>
        <source>These sound names were changed to names the sampler pad can hold:</source>
        <translation>以下音色名称已改为采样打击垫可保存的名称：</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另有 %1 个</translation>
    </message>
    <message>
        <source>These sound names stored in the kit file %1 were changed to names the sampler pad can hold:</source>
        <translation>套鼓文件 %1 中保存的以下音色名称已改为采样打击垫可保存的名称：</translation>
    </message>
    <message>
        <source>The global settings file was not applied, as no kit file was imported:</source>
        <translation>未导入任何套鼓文件，因此未应用全局设置文件：</translation>
    </message>
    <message>
        <source>Another file picked for the same kit was imported in its place.</source>
        <translation>已改为导入为同一套鼓选择的另一个文件。</translation>
    </message>
    <message>
        <source>Its folder is a link or leads out of the sampler pad.</source>
        <translation>其所在文件夹是链接，或指向采样打击垫之外。</translation>
    </message>
    <message>
        <source>Its global.ini is no longer the file that was loaded:</source>
        <translation>其 global.ini 已不是加载时的那个文件：</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>一个文件夹</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>一个符号链接</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>一个命名管道</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>一个设备</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>一个套接字</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>一个文件</translation>
    </message>
    <message>
        <source>It is a symbolic link, which the editor does not follow.</source>
        <translation>它是符号链接，编辑器不会跟随它。</translation>
    </message>
    <message>
        <source>It is larger than any file of the sampler pad.</source>
        <translation>它比采样打击垫上的任何文件都大。</translation>
    </message>
    <message>
        <source>It is %1, not a file.</source>
        <translation>它是%1，不是文件。</translation>
    </message>
    <message>
        <source>It does not exist.</source>
        <translation>它不存在。</translation>
    </message>
    <message>
        <source>It could not be opened.</source>
        <translation>无法打开它。</translation>
    </message>
    <message>
        <source>It is shorter than a kit record (%1 bytes).</source>
        <translation>它比一条套鼓记录（%1 字节）短。</translation>
    </message>
    <message>
        <source>It holds the global settings in an older layout, which has no place for the kit chains.</source>
        <translation>其中的全局设置为旧格式，没有存放套鼓链的位置。</translation>
    </message>
    <message>
        <source>was not saved to the sampler pad:</source>
        <translation>未保存到采样打击垫：</translation>
    </message>
    <message>
        <source>The sampler pad was not found at its place for a moment while this ran; it is there again now.</source>
        <translation>执行期间采样打击垫曾短暂不在原位置；现在它已回来。</translation>
    </message>
    <message>
        <source>These entries of the metronome folder are not files and were skipped:</source>
        <translation>节拍器文件夹中的以下条目不是文件，已跳过：</translation>
    </message>
    <message>
        <source>Sound %1: its files stay hidden, as other files stand at its place.</source>
        <translation>音色 %1：其文件仍保持隐藏，因为其位置已被其他文件占用。</translation>
    </message>
    <message>
        <source>Sound %1: its files could not be given their names.</source>
        <translation>音色 %1：其文件无法恢复为原来的名称。</translation>
    </message>
    <message>
        <source>Sound %1: its unfinished files could not all be removed.</source>
        <translation>音色 %1：其未完成的文件未能全部删除。</translation>
    </message>
    <message>
        <source>The editor stopped before it had finished changing the sounds on the sampler pad; they are now put in order.</source>
        <translation type="vanished">编辑器在完成对采样打击垫音色的更改之前已停止；现已将其整理完毕。</translation>
    </message>
    <message>
        <source>A renumbering cut short was undone: the sounds keep their numbers.</source>
        <translation>已撤销中断的重新编号：音色保持原有编号。</translation>
    </message>
    <message>
        <source>A renumbering cut short was undone as far as the files allow; these sounds were left out:</source>
        <translation>已在文件允许的范围内撤销中断的重新编号；以下音色未被载入：</translation>
    </message>
    <message>
        <source>These sounds were completed: %1.</source>
        <translation>以下音色已补全：%1。</translation>
    </message>
    <message>
        <source>The unfinished files of these sounds were removed: %1.</source>
        <translation>以下音色未完成的文件已删除：%1。</translation>
    </message>
    <message>
        <source>Sound %1 (%2): it has no .wav file.</source>
        <translation>音色 %1（%2）：缺少 .wav 文件。</translation>
    </message>
    <message>
        <source>Sound %1 (%2): it has no .prm file.</source>
        <translation>音色 %1（%2）：缺少 .prm 文件。</translation>
    </message>
    <message>
        <source>Sound %1 (%2): its .prm file is not a regular file.</source>
        <translation>音色 %1（%2）：其 .prm 文件不是普通文件。</translation>
    </message>
    <message>
        <source>Sound %1 (%2): a folder stands at its name.</source>
        <translation>音色 %1（%2）：该名称处是一个文件夹。</translation>
    </message>
    <message>
        <source>Sound %1 (%2): it is not a regular file.</source>
        <translation>音色 %1（%2）：不是普通文件。</translation>
    </message>
    <message>
        <source>%1: not named as a sound.</source>
        <translation>%1：不是音色的文件名。</translation>
    </message>
    <message>
        <source>These sounds of the sampler pad were left out; the other sounds were loaded:</source>
        <translation>采样打击垫的以下音色未被载入；其他音色已载入：</translation>
    </message>
    <message>
        <source>Sound %1: its .wav file is missing.</source>
        <translation>音色 %1：缺少 .wav 文件。</translation>
    </message>
    <message>
        <source>Sound %1: its .prm file is missing.</source>
        <translation>音色 %1：缺少 .prm 文件。</translation>
    </message>
    <message>
        <source>Sound %1: under hidden names, out of the pad's list.</source>
        <translation>音色 %1：处于隐藏名称下，不在打击垫的列表中。</translation>
    </message>
    <message>
        <source>Sound %1: now at number %2.</source>
        <translation>音色 %1：现位于编号 %2。</translation>
    </message>
    <message>
        <source>Sound %1: its files are split between the numbers %1 and %2.</source>
        <translation>音色 %1：其文件分散在编号 %1 和 %2 之间。</translation>
    </message>
    <message>
        <source>The sounds on the sampler pad could not be renumbered, and these could not be put back at their numbers; the next load of the sampler pad puts them back where it can:</source>
        <translation type="vanished">采样打击垫上的音色无法重新编号，且以下音色无法恢复到原有编号；下次载入采样打击垫时将尽可能将其恢复：</translation>
    </message>
    <message>
        <source>the sampler pad refused to remove its files: %1</source>
        <translation>采样打击垫拒绝删除其文件：%1</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); the sounds after it were not tried.</source>
        <translation>采样打击垫拒绝写入（%1）；其后的音色未再尝试。</translation>
    </message>
    <message>
        <source>it is a link to no regular file</source>
        <translation>它是一个未指向普通文件的链接</translation>
    </message>
    <message>
        <source>The sound groups are saved to "%1".</source>
        <translation>音色分组保存在“%1”中。</translation>
    </message>
    <message>
        <source>Do you confirm to overwrite it?</source>
        <translation>确定要覆盖吗？</translation>
    </message>
    <message>
        <source>the sound groups are in use by another editor</source>
        <translation>音色分组正被另一个编辑器使用</translation>
    </message>
    <message>
        <source>it is a link that no longer names the file read at the start</source>
        <translation>它是一个链接，已不再指向启动时读取的文件</translation>
    </message>
    <message>
        <source>The sound groups file "%1" could not be read whole: %2.</source>
        <translation>音色分组文件“%1”无法完整读取：%2。</translation>
    </message>
    <message>
        <source>Some entries of "%1" could not be read and are not in the sound groups.</source>
        <translation>“%1”中的部分条目无法读取，未列入音色分组。</translation>
    </message>
    <message>
        <source>The file as it was is kept as "%1".</source>
        <translation>该文件已按原样保留为“%1”。</translation>
    </message>
    <message>
        <source>It could not be kept beside it (%1), so the sound groups are not saved over it.</source>
        <translation>无法在其旁边保留该文件（%1），因此音色分组不会保存覆盖它。</translation>
    </message>
    <message>
        <source>These sounds of the sound groups are no longer in the kit files they name, which were written anew since; they are not taken for other sounds:</source>
        <translation type="vanished">音色分组中的以下音色已不在其所指的套鼓文件中（这些文件之后已被重新写入）；它们不会被当作其他音色：</translation>
    </message>
    <message>
        <source>it is cut off or not in the sound list's form</source>
        <translation>文件不完整或不是音色列表的格式</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>它不是普通文件</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>文件过大</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1": %2.</source>
        <translation>音色分组无法保存到“%1”：%2。</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Another program changed the sound groups' file since this editor read it: that version is kept as "%1".</source>
        <translation>自本编辑器读取后，另一个程序修改了音色分组文件：该版本已保存为"%1"。</translation>
    </message>
    <message>
        <source>another program changed it, and its version could not be kept: %1</source>
        <translation>另一个程序修改了它，且无法保留其版本：%1</translation>
    </message>
    <message>
        <source>These files were replaced, but not all that they had was kept:</source>
        <translation>这些文件已被替换，但其原有的属性未能全部保留：</translation>
    </message>
    <message>
        <source>Only one global settings file can be selected.</source>
        <translation>只能选择一个全局设置文件。</translation>
    </message>
    <message>
        <source>The global settings file is not applied.</source>
        <translation>未应用该全局设置文件。</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>它不是普通文件。</translation>
    </message>
    <message>
        <source>the sound groups cannot be locked: %1</source>
        <translation>无法锁定音色分组：%1</translation>
    </message>
    <message>
        <source>a link to "%1" was put at its name since the start; neither is written over</source>
        <translation>启动后有人在其名称处放置了指向"%1"的链接；两者均未被覆盖</translation>
    </message>
    <message>
        <source>The sound groups are saved to "%1", but the new file lacks what the old one had:</source>
        <translation>音色分组已保存到"%1"，但新文件缺少旧文件原有的内容：</translation>
    </message>
    <message>
        <source>%1 more in other folders</source>
        <translation>其他文件夹中还有 %1 个</translation>
    </message>
    <message>
        <source>The file had other names (hard links), which keep the old bytes: %1.</source>
        <translation>该文件还有其他名称（硬链接），它们仍保留旧内容：%1。</translation>
    </message>
    <message>
        <source>The bytes of this sound were found neither in the file it names nor in "Kept sounds" when the editor started: it would be another sound, so it cannot be previewed, dragged or saved.</source>
        <translation>编辑器启动时，在其所指的文件和"Kept sounds"中都找不到此音色的数据：它将会是另一个音色，因此无法预听、拖动或保存。</translation>
    </message>
    <message>
        <source>These sounds of the sound groups are no longer in the files they name, which were written anew since, nor in "Kept sounds"; they are not taken for other sounds and cannot be previewed, dragged or saved:</source>
        <translation>音色分组中的以下音色已不在其所指的文件中（这些文件之后被重新写入），也不在"Kept sounds"中；它们不会被当作其他音色，也无法预听、拖动或保存：</translation>
    </message>
    <message>
        <source>These sounds of the sound groups are now taken from "Kept sounds":</source>
        <translation>音色分组中的以下音色现在取自"Kept sounds"：</translation>
    </message>
    <message>
        <source>The files were written, but the disk did not confirm that they are stored:</source>
        <translation>文件已写入，但磁盘未确认这些文件已保存：</translation>
    </message>
    <message>
        <source>These kits are not saved, as their existing files were kept:</source>
        <translation>以下套鼓未保存，因为已保留其现有文件：</translation>
    </message>
    <message>
        <source>These sounds of the sampler pad had the name of another of its sounds and were given a number:</source>
        <translation>采样打击垫中的以下音色与其另一个音色同名，已在名称后加上编号：</translation>
    </message>
    <message>
        <source>These names were held by other sounds and were given a number:</source>
        <translation>以下名称已被其他音色使用，已在名称后加上编号：</translation>
    </message>
    <message>
        <source>These sounds of the kit file %1 bore names other sounds hold and were given a number:</source>
        <translation>套鼓文件 %1 中的以下音色与其他音色同名，已在名称后加上编号：</translation>
    </message>
    <message>
        <source>The sampler pad does not answer. Korvanta reads nothing from it and writes nothing to it until it answers again; your edits are kept.</source>
        <translation>采样打击垫无响应。在它恢复响应之前，Korvanta 不会从中读取，也不会向其写入；您的编辑已保留。</translation>
    </message>
    <message>
        <source>The sampler pad stopped answering while the changes were written to it; they may have reached it only in part.</source>
        <translation>向采样打击垫写入更改时它停止了响应；这些更改可能只有一部分写入了它。</translation>
    </message>
    <message>
        <source>The sampler pad does not answer: nothing was saved to it.</source>
        <translation>采样打击垫无响应：没有任何内容保存到它。</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1" (%2). These sounds of the groups now stand elsewhere; the groups' file still names their old places, and the next start finds them by their bytes:</source>
        <translation>音色分组无法保存到"%1"（%2）。分组中的以下音色现在位于别处；音色分组文件仍记录其旧位置，下次启动时将按其数据找到它们：</translation>
    </message>
    <message>
        <source>Its global.ini or its metronome folder differs from the loaded pad's; neither volume has a serial number to compare.</source>
        <translation>其 global.ini 或节拍器文件夹与已载入的打击垫不同；两个卷都没有可比较的序列号。</translation>
    </message>
    <message>
        <source>Kit %1 was not written: its file is missing or short.</source>
        <translation>套鼓 %1 未写入：其文件缺失或过短。</translation>
    </message>
    <message>
        <source>The kit chains were not written: global.ini is missing or short.</source>
        <translation>套鼓链未写入：global.ini 缺失或过短。</translation>
    </message>
    <message>
        <source>The sampler pad is not at its place; its next load tells where its sounds are.</source>
        <translation>采样打击垫不在原处；下次载入时将说明其音色的位置。</translation>
    </message>
    <message>
        <source>Sound %1: a file of it is missing.</source>
        <translation>音色 %1：其一个文件缺失。</translation>
    </message>
    <message>
        <source>The sampler pad holds a change record the editor cannot read; nothing was changed by it.</source>
        <translation type="vanished">采样打击垫上有一份编辑器无法读取的更改记录；未按它做任何更改。</translation>
    </message>
    <message>
        <source>It was kept as %1 in the SYS folder.</source>
        <translation type="vanished">它已保留为 SYS 文件夹中的 %1。</translation>
    </message>
    <message>
        <source>A renumbering cut short was finished: the kits on the sampler pad name the sounds' new numbers.</source>
        <translation>已完成被中断的重新编号：采样打击垫上的套鼓使用音色的新编号。</translation>
    </message>
    <message>
        <source>Sound %1 is now number %2.</source>
        <translation>音色 %1 现为编号 %2。</translation>
    </message>
    <message>
        <source>The deletion of these sounds was finished: %1.</source>
        <translation>已完成这些音色的删除：%1。</translation>
    </message>
    <message>
        <source>These sounds were put back: %1.</source>
        <translation>这些音色已放回：%1。</translation>
    </message>
    <message>
        <source>The save of an earlier close was finished from its record.</source>
        <translation>已按记录完成上次关闭时的保存。</translation>
    </message>
    <message>
        <source>These kits were found torn and written again: %1.</source>
        <translation>这些套鼓写入不完整，已重新写入：%1。</translation>
    </message>
    <message>
        <source>These kits were written: %1.</source>
        <translation>这些套鼓已写入：%1。</translation>
    </message>
    <message>
        <source>The kit chains were found torn and written again.</source>
        <translation>套鼓链写入不完整，已重新写入。</translation>
    </message>
    <message>
        <source>The kit chains were written.</source>
        <translation>套鼓链已写入。</translation>
    </message>
    <message>
        <source>The change file alter.ini was written.</source>
        <translation>更改文件 alter.ini 已写入。</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); the change stays recorded and the next load of the sampler pad takes it up again.</source>
        <translation>采样打击垫拒绝了一次写入（%1）；更改记录保留，下次载入采样打击垫时将继续处理。</translation>
    </message>
    <message>
        <source>The sounds on the sampler pad could not be renumbered, and the change could not be taken back; the next load of the sampler pad finishes it or takes it back, kits and sounds together.</source>
        <translation>无法为采样打击垫上的音色重新编号，且该更改无法撤回；下次载入采样打击垫时将连同套鼓和音色一起完成或撤回它。</translation>
    </message>
    <message>
        <source>The next load of the sampler pad finishes this save from its record.</source>
        <translation>下次载入采样打击垫时将按记录完成这次保存。</translation>
    </message>
    <message>
        <source>The drive does not answer: %1</source>
        <translation>驱动器无响应：%1</translation>
    </message>
    <message>
        <source>The adding of these sounds was taken back; they are not on the sampler pad: %1.</source>
        <translation>以下音色的添加已撤回，它们不在采样打击垫上：%1。</translation>
    </message>
    <message>
        <source>%1 is gone</source>
        <translation>%1 已不存在</translation>
    </message>
    <message>
        <source>These sounds were deleted from the list; the sampler pad was cut off before the deletion ended, and its next load finishes it:</source>
        <translation>以下音色已从列表中删除；删除完成前采样打击垫已断开，下次载入时会完成删除：</translation>
    </message>
    <message>
        <source>One file of each of these sounds was already gone from the sampler pad (another program may have removed it); they stay in the list:</source>
        <translation>以下音色在采样打击垫上各有一个文件已不存在（可能被其他程序删除），它们仍保留在列表中：</translation>
    </message>
    <message>
        <source>Delete what is left of them from the sampler pad?</source>
        <translation>是否从采样打击垫上删除它们剩余的文件？</translation>
    </message>
    <message>
        <source>Invalid data found when processing input.</source>
        <translation>处理输入时发现无效数据。</translation>
    </message>
    <message>
        <source>Error splitting the argument list.</source>
        <translation>拆分参数列表出错。</translation>
    </message>
    <message>
        <source>Option not found.</source>
        <translation>未找到选项。</translation>
    </message>
    <message>
        <source>Invalid argument.</source>
        <translation>无效参数。</translation>
    </message>
    <message>
        <source>Mono</source>
        <comment>sound channels</comment>
        <translation>单声道</translation>
    </message>
    <message>
        <source>Stereo</source>
        <comment>sound channels</comment>
        <translation>立体声</translation>
    </message>
    <message>
        <source>Effect%1 Ctrl%2:</source>
        <translation>效果%1控制%2：</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>样本</translation>
    </message>
    <message>
        <source>Repeat:</source>
        <translation>重复：</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>延迟：</translation>
    </message>
    <message>
        <source>Damping:</source>
        <translation>阻尼：</translation>
    </message>
    <message>
        <source>Pitch Shift:</source>
        <translation>移调：</translation>
    </message>
    <message>
        <source>Echo Delay:</source>
        <translation>回声延迟：</translation>
    </message>
    <message>
        <source>Echo Mix:</source>
        <translation>回声混合：</translation>
    </message>
    <message>
        <source>Feedback:</source>
        <translation>反馈：</translation>
    </message>
    <message>
        <source>Reverb Time:</source>
        <translation>混响时间：</translation>
    </message>
    <message>
        <source>HF Filter:</source>
        <translation>高频滤波：</translation>
    </message>
    <message>
        <source>LF Filter:</source>
        <translation>低频滤波：</translation>
    </message>
    <message>
        <source>Diffusion:</source>
        <translation>扩散：</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>滤波：</translation>
    </message>
    <message>
        <source>Decay:</source>
        <translation>衰减：</translation>
    </message>
    <message>
        <source>Pre-delay:</source>
        <translation>预延迟：</translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation>深度：</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度：</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>速率：</translation>
    </message>
    <message>
        <source>Reverb Mix:</source>
        <translation>混响混合：</translation>
    </message>
    <message>
        <source>Tremolo Rate:</source>
        <translation>颤音速率：</translation>
    </message>
    <message>
        <source>Tremolo Mix:</source>
        <translation>颤音混合：</translation>
    </message>
    <message>
        <source>Flange Rate:</source>
        <translation>镶边速率：</translation>
    </message>
    <message>
        <source>Flange Mix:</source>
        <translation>镶边混合：</translation>
    </message>
    <message>
        <source>Chorus Rate:</source>
        <translation>合唱速率：</translation>
    </message>
    <message>
        <source>Chorus Mix:</source>
        <translation>合唱混合：</translation>
    </message>
    <message>
        <source>Reverb Size:</source>
        <translation>混响大小：</translation>
    </message>
    <message>
        <source>LP Filter:</source>
        <translation>低通滤波：</translation>
    </message>
    <message>
        <source>HP Filter:</source>
        <translation>高通滤波：</translation>
    </message>
    <message>
        <source>Flange Delay:</source>
        <translation>镶边延迟：</translation>
    </message>
    <message>
        <source>Kit %1: %2</source>
        <translation>套鼓 %1：%2</translation>
    </message>
    <message>
        <source>Kit %1 %2: </source>
        <translation>套鼓 %1 %2：</translation>
    </message>
    <message>
        <source>Error:0011</source>
        <translation>错误：0011</translation>
    </message>
    <message>
        <source>DEL of a metronome sound</source>
        <translation>删除节拍器音色</translation>
    </message>
    <message>
        <source>move of kit %1</source>
        <translation>移动套鼓 %1</translation>
    </message>
    <message>
        <source>global settings</source>
        <translation>全局设置</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史</translation>
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
        <source>sounds added to the list</source>
        <translation>添加到列表的音色</translation>
    </message>
    <message>
        <source>metronome sounds added</source>
        <translation>添加的节拍器音色</translation>
    </message>
    <message>
        <source>order of the sound list</source>
        <translation>音色列表的排序</translation>
    </message>
    <message>
        <source>sound %1 added to the list</source>
        <translation>添加到列表的音色 %1</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <source>These kits name the sounds by their new numbers: %1.</source>
        <translation>以下套鼓现按新编号指向音色：%1。</translation>
    </message>
    <message>
        <source>These kits name the sounds by the numbers they had: %1.</source>
        <translation>以下套鼓按原有编号指向音色：%1。</translation>
    </message>
    <message>
        <source>The editor stopped before it had finished changing the files on the sampler pad.</source>
        <translation type="vanished">编辑器在完成对采样打击垫文件的更改之前已停止。</translation>
    </message>
    <message>
        <source>The editor stopped before it had finished saving to the sampler pad; the save is now put in order.</source>
        <translation type="vanished">编辑器在完成向采样打击垫的保存之前已停止；现已将该保存整理完毕。</translation>
    </message>
    <message>
        <source>This whole setup cannot be imported under this name: the name of a whole setup must end in ".bin".</source>
        <translation>无法以此名称导入此整套设置文件：整套设置文件的名称必须以“.bin”结尾。</translation>
    </message>
    <message>
        <source>A whole setup is imported alone, not with other files: it is left out of this import.</source>
        <translation>整套设置文件只能单独导入，不能与其他文件一起导入：本次导入不包含它。</translation>
    </message>
    <message>
        <source>The sampler pad could not be backed up into %1: %2.</source>
        <translation>无法将采样打击垫备份到 %1：%2。</translation>
    </message>
    <message>
        <source>The pad is used all the same.</source>
        <translation>打击垫仍照常使用。</translation>
    </message>
    <message>
        <source>the folder does not answer</source>
        <translation>该文件夹没有响应</translation>
    </message>
    <message>
        <source>The backup of the sampler pad into %1 has not moved on for %2 seconds: the folder may not answer.</source>
        <translation>采样打击垫备份到 %1 的过程已有 %2 秒没有进展：该文件夹可能没有响应。</translation>
    </message>
    <message>
        <source>Go on without the backup? With No, nothing is written to the sampler pad now.</source>
        <translation>不等备份完成就继续吗？选择“否”则现在不向采样打击垫写入任何内容。</translation>
    </message>
    <message>
        <source>The backups of the sampler pad cannot be read: %1 does not answer.</source>
        <translation>无法读取采样打击垫的备份：%1 没有响应。</translation>
    </message>
    <message>
        <source>Kit %1, pad %2 %3</source>
        <translation>套鼓 %1，打击垫 %2 %3</translation>
    </message>
    <message>
        <source>Kit %1, hi-hat slot %2</source>
        <translation>套鼓 %1，踩镲槽 %2</translation>
    </message>
    <message>
        <source>%1: %2 (sound %3)</source>
        <translation>%1：%2（音色 %3）</translation>
    </message>
    <message>
        <source>These sounds of the backup are no longer on the sampler pad; their slots are left empty:</source>
        <translation>备份中的这些音色已不在采样打击垫上，其位置留空：</translation>
    </message>
    <message>
        <source>%1: %2 kits differ from now</source>
        <translation type="vanished">%1：%2 个套鼓与现在不同</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1：无法读取</translation>
    </message>
    <message>
        <source>There is no backup of this sampler pad in %1 yet.</source>
        <translation>%1 中还没有这台采样打击垫的备份。</translation>
    </message>
    <message>
        <source>Restore the pad from a backup</source>
        <translation>从备份恢复打击垫</translation>
    </message>
    <message>
        <source>Backups of this sampler pad, newest first:</source>
        <translation>这台采样打击垫的备份（最新的在前）：</translation>
    </message>
    <message>
        <source>The backup cannot be restored:</source>
        <translation>无法恢复该备份：</translation>
    </message>
    <message>
        <source>restore of the pad from the backup of %1</source>
        <translation>从 %1 的备份恢复打击垫</translation>
    </message>
    <message>
        <source>Restore the pad from a backup…</source>
        <translation>从备份恢复打击垫…</translation>
    </message>
    <message>
        <source>%1: kits differing from now: %2</source>
        <translation>%1：与现在不同的套鼓：%2</translation>
    </message>
    <message>
        <source>Nothing was saved to the sampler pad: it holds the record of an earlier change that its next load ends first or, if it cannot, names.</source>
        <translation>没有向采样打击垫保存任何内容：采样打击垫上存有一项先前更改的记录，下次载入采样打击垫时会先将其完成，若无法完成则会指明。</translation>
    </message>
    <message>
        <source>It could not be kept aside: the SYS folder already holds %1 to %2.</source>
        <translation>无法另行保留它：SYS 文件夹中已有 %1 至 %2。</translation>
    </message>
    <message>
        <source>It could not be kept aside (%1).</source>
        <translation type="vanished">无法另行保留它（%1）。</translation>
    </message>
    <message>
        <source>the sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names</source>
        <translation>采样打击垫上存有一项先前更改的记录，下次载入采样打击垫时会先将其完成，若无法完成则会指明</translation>
    </message>
    <message>
        <source>The sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names.</source>
        <translation>采样打击垫上存有一项先前更改的记录，下次载入采样打击垫时会先将其完成，若无法完成则会指明。</translation>
    </message>
    <message>
        <source>The sampler pad at the drive changed while it was read: another pad or other folders stand at its place. Nothing was taken from it.</source>
        <translation>读取时驱动器上的采样打击垫发生了变化：另一个打击垫或其他文件夹占据了它的位置。未从中读取任何内容。</translation>
    </message>
    <message>
        <source>%1 is a link, not a file of its own</source>
        <translation>%1 是一个链接，而不是独立的文件</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 是一个文件夹</translation>
    </message>
    <message>
        <source>%1 is not a plain file</source>
        <translation>%1 不是普通文件</translation>
    </message>
    <message>
        <source>Keeping a backup of the sampler pad…</source>
        <translation>正在备份打击垫…</translation>
    </message>
    <message>
        <source>Reading the backups of the sampler pad…</source>
        <translation>正在读取打击垫的备份…</translation>
    </message>
    <message>
        <source>It has the USB serial number of the loaded pad, but its global.ini or its metronome folder differs.</source>
        <translation>它的 USB 序列号与已加载的打击垫相同，但它的 global.ini 或节拍器文件夹不同。</translation>
    </message>
    <message>
        <source>Its global.ini or its metronome folder differs from the loaded pad's; only one of the two volumes has a serial number, so none could be compared.</source>
        <translation>它的 global.ini 或节拍器文件夹与已加载的打击垫不同；两个卷中只有一个有序列号，因此无法比较。</translation>
    </message>
    <message>
        <source>The drive of the sound %1 does not answer.</source>
        <translation>音色 %1 所在的驱动器没有响应。</translation>
    </message>
    <message>
        <source>The folder stopped answering while this file was being put in place under its name:</source>
        <translation>将此文件放到其名称下时，文件夹停止了响应：</translation>
    </message>
    <message>
        <source>It may or may not be there now. A file that had this name before is either still the old one, whole, or the new one, whole. Please look in the folder.</source>
        <translation>该文件现在可能已在此名称下，也可能不在。此前使用此名称的文件要么仍是完整的旧文件，要么已完整地换成新文件。请到该文件夹中查看。</translation>
    </message>
    <message>
        <source>The folder stopped answering while the new file was being kept beside this file:</source>
        <translation>将新文件保存在此文件旁边时，文件夹停止了响应：</translation>
    </message>
    <message>
        <source>The new file may or may not be there now, under this file's name with "~" and a number. This file is as it was. Please look in the folder.</source>
        <translation>新文件现在可能在该文件夹中，也可能不在，其名称为此文件名加上“~”和一个数字。此文件保持原样。请到该文件夹中查看。</translation>
    </message>
    <message>
        <source>ffmpeg made no progress for too long and was stopped.</source>
        <translation>转换程序长时间没有进展，已被停止。</translation>
    </message>
    <message>
        <source>The sampler pad holds the record of an earlier change whose every step was already done; the record could not be removed (%1), so the next load looks at it again.</source>
        <translation>采样打击垫中有一项早先更改的记录，其每一步都已完成；该记录未能删除（%1），因此下次加载时会再次查看它。</translation>
    </message>
    <message>
        <source>The sampler pad held the record of an earlier change whose every step was already done; the record was removed.</source>
        <translation>采样打击垫中有一项早先更改的记录，其每一步都已完成；该记录已删除。</translation>
    </message>
    <message>
        <source>The global settings file global.ini was written.</source>
        <translation>全局设置文件 global.ini 已写入。</translation>
    </message>
    <message>
        <source>Its record could not be removed (%1), so the next load looks at it again and finds nothing left to do.</source>
        <translation>其记录未能删除（%1），因此下次加载时会再次查看它，并发现已无事可做。</translation>
    </message>
    <message>
        <source>%1 in the SYS folder: %2 It was removed, and nothing was read through it.</source>
        <translation>SYS 文件夹中的 %1：%2它已被删除，且未通过它读取任何内容。</translation>
    </message>
    <message>
        <source>%1 in the SYS folder: %2 It could not be removed (%3).</source>
        <translation>SYS 文件夹中的 %1：%2它未能被删除（%3）。</translation>
    </message>
    <message>
        <source>The restored global settings were not saved to the sampler pad: global.ini changed on the pad since it was loaded.</source>
        <translation>恢复的全局设置未能保存到采样打击垫：global.ini 自加载以来已在打击垫上更改。</translation>
    </message>
    <message>
        <source>The restored global settings were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.</source>
        <translation>恢复的全局设置未能保存到采样打击垫：global.ini 所在的文件夹是一个链接，或指向采样打击垫之外。</translation>
    </message>
    <message>
        <source>The restored global settings were saved before that.</source>
        <translation>在此之前恢复的全局设置已保存。</translation>
    </message>
    <message>
        <source>The restored global settings were not saved to the sampler pad.</source>
        <translation>恢复的全局设置未能保存到采样打击垫。</translation>
    </message>
    <message>
        <source>The drive of this file does not answer, so the sound is not taken:</source>
        <translation>此文件所在的驱动器没有响应，因此未取用该声音：</translation>
    </message>
    <message>
        <source>The drives of these files do not answer, so their sounds are not taken:</source>
        <translation>这些文件所在的驱动器没有响应，因此未取用这些声音：</translation>
    </message>
    <message>
        <source>its global.ini is missing</source>
        <translation>其 global.ini 缺失</translation>
    </message>
    <message>
        <source>its global.ini cannot be read</source>
        <translation>其 global.ini 无法读取</translation>
    </message>
    <message>
        <source>its global.ini is in an older layout, which Korvanta does not write to the sampler pad</source>
        <translation>其 global.ini 为旧格式，Korvanta 不会将其写入采样打击垫</translation>
    </message>
    <message>
        <source>The global settings and kit chains of this backup cannot be put back: %1. They stay as they are now.</source>
        <translation>无法恢复此备份的全局设置和套鼓链：%1。它们保持现在的样子。</translation>
    </message>
    <message>
        <source>the sampler pad's own global.ini is not in the layout Korvanta writes (it is an older file's), so Korvanta does not write over it; the backup's global.ini is fine</source>
        <translation>采样打击垫自身的 global.ini 不是 Korvanta 写入的格式（来自较旧的文件），因此 Korvanta 不会覆盖它；此备份的 global.ini 完好</translation>
    </message>
    <message>
        <source>the global settings in the editor are in an older layout than the sampler pad's global.ini</source>
        <translation>编辑器中的全局设置的格式比采样打击垫的 global.ini 旧</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); the next load of the sampler pad finishes this save from its record.</source>
        <translation>采样打击垫拒绝了一次写入（%1）；下次载入采样打击垫时将根据其记录完成这次保存。</translation>
    </message>
    <message>
        <source>The sampler pad refused a write (%1); nothing was saved to it.</source>
        <translation>采样打击垫拒绝了一次写入（%1）；没有任何内容保存到它上面。</translation>
    </message>
    <message>
        <source>Sound %1: %2 holds other bytes than the file deleted; it stays on the sampler pad.</source>
        <translation>音色 %1：%2 的内容与被删除的文件不同，已保留在采样打击垫上。</translation>
    </message>
    <message>
        <source>%1 in the SYS folder: an unfinished file of the editor's. It could not be removed (%2).</source>
        <translation>SYS 文件夹中的 %1：编辑器未完成的文件。它未能被删除（%2）。</translation>
    </message>
    <message>
        <source>%1 changed on the sampler pad after it was read</source>
        <translation>%1 在被读取后于采样打击垫上被更改</translation>
    </message>
    <message>
        <source>The conversion of the following files took too long and was stopped; they were not added:</source>
        <translation>以下文件的转换耗时过长，已被停止；这些文件未被添加：</translation>
    </message>
    <message>
        <source>The import was canceled: %1 sounds were imported; the other files were not.</source>
        <translation>导入已取消：已导入 %1 个音色；其余文件均未导入。</translation>
    </message>
    <message>
        <source>The conversion took too long and was stopped.</source>
        <translation>转换耗时过长，已被停止。</translation>
    </message>
    <message>
        <source>This is not a regular file (a pipe, a device or a folder); it was not converted.</source>
        <translation>这不是普通文件（管道、设备或文件夹），未进行转换。</translation>
    </message>
    <message>
        <source>%1 (read-only)</source>
        <translation>%1（只读）</translation>
    </message>
    <message>
        <source>These files are already in the folder and will be replaced:</source>
        <translation>文件夹中已有以下文件，将被替换：</translation>
    </message>
    <message>
        <source>Do you confirm to overwrite them?</source>
        <translation>确认要覆盖这些文件吗？</translation>
    </message>
    <message>
        <source>the folder stopped answering while the file was being put in place; it is either still the old one, whole, or the new one, whole</source>
        <translation>将文件放到位时文件夹停止了响应；它要么仍是完整的旧文件，要么已是完整的新文件</translation>
    </message>
    <message>
        <source>The drive of the sound groups file "%1" does not answer: its groups are not read, and nothing is saved over it in this session.</source>
        <translation>音色分组文件“%1”所在的驱动器没有响应：未读取其中的分组，本次运行中也不会覆盖保存该文件。</translation>
    </message>
    <message>
        <source>The folder of "%1" stopped answering while the sound groups were being saved to it: the file is either still the old one, whole, or the new one, whole.

Quit anyway? Choose No to keep the window open, and close the window again once the drive answers to save them.</source>
        <translation>将音色分组保存到“%1”时其所在文件夹停止了响应：该文件要么仍是完整的旧文件，要么已是完整的新文件。

仍要退出吗？选择“否”可保留窗口，待驱动器恢复响应后再次关闭窗口即可保存分组。</translation>
    </message>
    <message>
        <source>%1 stands at its name</source>
        <translation>该名称处是%1</translation>
    </message>
    <message>
        <source>The sound groups could not be saved to "%1": %2.

Quit anyway? Choose No to keep the window open, move it away, and close the window again to save them.</source>
        <translation>音色分组无法保存到“%1”：%2。

仍要退出吗？选择“否”可保持窗口打开，将其移走，然后再次关闭窗口以保存音色分组。</translation>
    </message>
    <message>
        <source>Some sounds of "%1" had a part that could not be read; they are kept in the sound groups without it.</source>
        <translation>“%1”中的一些音色有部分内容无法读取；它们仍保留在音色分组中，只是不含这部分内容。</translation>
    </message>
    <message>
        <source>The sound groups in "%1" are in use by another editor. Changes to the groups in this window are saved into it only if that editor has ended by this window's close and left the file as this window read it; otherwise the close saves them beside it, under a name it gives.</source>
        <translation>“%1”中的音色分组正被另一个编辑器使用。只有当该编辑器在本窗口关闭前已结束，并且文件仍是本窗口读取时的样子，本窗口中对分组的更改才会保存到该文件中；否则关闭时会将它们另存到该文件旁边，并告知文件名。</translation>
    </message>
    <message>
        <source>The sound groups in "%1" cannot be locked for this editor (%2). Changes to the groups in this window are saved into it only if this editor can lock it by its close and finds it as it read it; otherwise the close saves them beside it, under a name it gives.</source>
        <translation>无法为本编辑器锁定“%1”中的音色分组（%2）。只有当本编辑器在关闭前能够锁定该文件，并且文件仍是它读取时的样子，本窗口中对分组的更改才会保存到该文件中；否则关闭时会将它们另存到该文件旁边，并告知文件名。</translation>
    </message>
    <message>
        <source>Another editor saved the sound groups in "%1" since this window read them: they stay as they are, and the groups of this window are saved beside them as "%2".</source>
        <translation>自本窗口读取以来，另一个编辑器保存了“%1”中的音色分组：这些分组保持原样，本窗口的分组另存在其旁边，名为“%2”。</translation>
    </message>
    <message>
        <source>The sound groups in "%1" cannot be locked for this editor (%2): the groups of this window are saved beside it as "%3".</source>
        <translation>无法为本编辑器锁定“%1”中的音色分组（%2）：本窗口的分组另存在其旁边，名为“%3”。</translation>
    </message>
    <message>
        <source>The sound groups in "%1" are in use by another editor: the groups of this window are saved beside it as "%2".</source>
        <translation>“%1”中的音色分组正被另一个编辑器使用：本窗口的分组另存在其旁边，名为“%2”。</translation>
    </message>
    <message>
        <source>another editor saved them since this window read them</source>
        <translation>自本窗口读取以来，另一个编辑器保存了它们</translation>
    </message>
    <message>
        <source>%1, and they could not be saved beside it: %2</source>
        <translation>%1，且它们也无法另存到其旁边：%2</translation>
    </message>
    <message>
        <source>Kit %1 was changed on the sampler pad since; it is kept as the pad has it.</source>
        <translation>套鼓 %1 此后已在采样打击垫上被更改；按打击垫上的样子保留。</translation>
    </message>
    <message>
        <source>The kit chains in %1 were changed on the sampler pad since; they are kept as the pad has them.</source>
        <translation>%1 中的套鼓链此后已在采样打击垫上被更改；按打击垫上的样子保留。</translation>
    </message>
    <message>
        <source>%1 was changed on the sampler pad since; it is kept as the pad has it.</source>
        <translation>%1 此后已在采样打击垫上被更改；按打击垫上的样子保留。</translation>
    </message>
    <message>
        <source>Sound %1: %2 was changed on the sampler pad since; it is kept as the pad has it.</source>
        <translation>音色 %1：%2 此后已在采样打击垫上被更改；按打击垫上的样子保留。</translation>
    </message>
    <message>
        <source>The save of an earlier close was taken back: the sampler pad holds what it held before that close.</source>
        <translation>早先一次关闭时的保存已被撤回：采样打击垫保存的是那次关闭之前的内容。</translation>
    </message>
    <message>
        <source>The sampler pad holds a change record the editor cannot read or did not write; it was neither finished nor taken back.</source>
        <translation>采样打击垫中有一项编辑器无法读取或并非由编辑器写入的更改记录；它既未被完成，也未被撤回。</translation>
    </message>
    <message>
        <source>It is kept aside as %1 in the SYS folder.</source>
        <translation>它被另存为 SYS 文件夹中的 %1。</translation>
    </message>
    <message>
        <source>%1 could not be forced to the disk (%2); what was put in order there may not survive a power cut.</source>
        <translation>%1 未能强制写入磁盘（%2）；其中已整理好的内容在断电后可能无法保留。</translation>
    </message>
    <message>
        <source>A change of the sounds on the sampler pad was cut short; it is now put in order.</source>
        <translation>对采样打击垫上音色的一次更改被中断；现已整理完毕。</translation>
    </message>
    <message>
        <source>A change of the files on the sampler pad was cut short.</source>
        <translation>对采样打击垫上文件的一次更改被中断。</translation>
    </message>
    <message>
        <source>A save to the sampler pad was cut short; it is now put in order.</source>
        <translation>向采样打击垫的一次保存被中断；现已整理完毕。</translation>
    </message>
    <message>
        <source>Nothing was saved to the sampler pad: the save needs %1 KB free on it for its record and files, and it has less.</source>
        <translation>没有向采样打击垫保存任何内容：这次保存需要打击垫上有 %1 KB 的可用空间来存放其记录和文件，而打击垫上的空间不足。</translation>
    </message>
</context>
<context>
    <name>SelectKitNo</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Hint: The import mode of the device is overwrite mode! Please select the kits that need to be replaced!</source>
        <translation>提示：设备的导入方式为覆盖模式！请选择需要替换的套鼓！</translation>
    </message>
    <message>
        <source>1) Click the Select All button and select the checkbox for all kits.</source>
        <translation>1) 点击“全选”按钮，勾选所有套鼓的复选框。</translation>
    </message>
    <message>
        <source>2) Click the Deselect All button and set all kits checkbox to deselected state</source>
        <translation>2) 点击“全不选”按钮，将所有套鼓的复选框设为未选中状态，</translation>
    </message>
    <message>
        <source>and Check the checkbox for the kits that need to be replaced.</source>
        <translation>然后勾选需要替换的套鼓的复选框。</translation>
    </message>
    <message>
        <source>3) If no kits are selected and  click Cancel button or click Ok button to generate a file,</source>
        <translation>3) 如果未选择任何套鼓就点击“取消”或“确定”按钮生成文件，</translation>
    </message>
    <message>
        <source>it will prompt file generation failure</source>
        <translation>将提示文件生成失败</translation>
    </message>
    <message>
        <source>Kit No.</source>
        <translation>套鼓号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Deselect All</source>
        <translation>全不选</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Kit List</source>
        <translation>套鼓列表</translation>
    </message>
</context>
<context>
    <name>SoundLibrary</name>
    <message>
        <source>The sound list changed since (a save or the pad): this step can no longer be undone.</source>
        <translation>音色列表此后已被更改（保存或打击垫）：这一步无法再撤销。</translation>
    </message>
    <message>
        <source>The sound %1 is gone.</source>
        <translation>音色 %1 已不存在。</translation>
    </message>
    <message>
        <source>The drive of the sound %1 does not answer.</source>
        <translation>音色 %1 所在的驱动器没有响应。</translation>
    </message>
    <message>
        <source>The sound groups changed since (a save): this step can no longer be undone.</source>
        <translation>音色分组此后已被更改（保存）：这一步无法再撤销。</translation>
    </message>
    <message>
        <source>The metronome sounds changed since: this step can no longer be undone.</source>
        <translation>节拍器音色此后已被更改：这一步无法再撤销。</translation>
    </message>
    <message>
        <source>The loaded kit files changed since (a save): this step can no longer be undone.</source>
        <translation>已载入的套鼓文件此后已被更改（保存）：这一步无法再撤销。</translation>
    </message>
    <message>
        <source>new group %1</source>
        <translation>新建分组 %1</translation>
    </message>
    <message>
        <source>sounds added to group %1</source>
        <translation>添加到分组 %1 的音色</translation>
    </message>
    <message>
        <source>name of group %1</source>
        <translation>分组 %1 的名称</translation>
    </message>
    <message>
        <source>name of sound %1</source>
        <translation>音色 %1 的名称</translation>
    </message>
    <message>
        <source>DEL in the sound groups</source>
        <translation>在音色分组中删除</translation>
    </message>
    <message>
        <source>DEL of %1 sounds</source>
        <translation>删除 %1 个音色</translation>
    </message>
    <message>
        <source>DEL of sound %1</source>
        <translation>删除音色 %1</translation>
    </message>
</context>
<context>
    <name>TotalTreeView</name>
    <message>
        <source>Delete Sound</source>
        <translation>删除音色</translation>
    </message>
    <message>
        <source>Export Sound</source>
        <translation>导出音色</translation>
    </message>
</context>
<context>
    <name>WaveTreeView1</name>
    <message>
        <source>Delete Sound</source>
        <translation>删除音色</translation>
    </message>
</context>
<context>
    <name>padbackup</name>
    <message>
        <source>The folder %1 cannot be made</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>the backup cannot take its name</source>
        <translation>备份无法使用其名称</translation>
    </message>
    <message>
        <source>The backup holds no kits.</source>
        <translation>该备份中没有套鼓。</translation>
    </message>
    <message>
        <source>the pad holds too many files for one archive</source>
        <translation type="vanished">打击垫上的文件太多，无法放入一个压缩包</translation>
    </message>
    <message>
        <source>the pad's file %1 cannot be kept under its name</source>
        <translation>打击垫的文件 %1 无法以其名称保存</translation>
    </message>
</context>
</TS>
