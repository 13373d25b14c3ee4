<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Program</source>
        <translation>关于本程序</translation>
    </message>
    <message>
        <source>Program Version 1.0</source>
        <translation>程序版本 1.0</translation>
    </message>
    <message>
        <source>All Rights Reserved</source>
        <translation>版权所有，保留一切权利</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CChannelEditDlg</name>
    <message>
        <source>Channel Edit</source>
        <translation>信道编辑</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Optional Signal</source>
        <translation>可选信号</translation>
    </message>
    <message>
        <source>Encode</source>
        <translation>编码</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CProductInfoDlg</name>
    <message>
        <source>Product Information</source>
        <translation>机型设置</translation>
    </message>
    <message>
        <source>Model Info</source>
        <translation>机型信息</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>——</source>
        <translation>——</translation>
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
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source> Help</source>
        <translation> 帮助</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目录</translation>
    </message>
</context>
<context>
    <name>CLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Compare with &amp;Radio</source>
        <translation>与电台比较(&amp;R)</translation>
    </message>
    <message>
        <source>Read the radio into a copy and list its differences from the active document</source>
        <translation>将电台数据读入副本，并列出它与当前文档的差异</translation>
    </message>
    <message>
        <source>Compare with Radio</source>
        <translation>与电台比较</translation>
    </message>
    <message>
        <source>Port &amp;Doctor...</source>
        <translation>端口诊断(&amp;D)...</translation>
    </message>
    <message>
        <source>Check the serial port and explain what keeps it from working</source>
        <translation>检查串口并说明它无法使用的原因</translation>
    </message>
    <message>
        <source>Port Doctor</source>
        <translation>端口诊断</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>保存更改吗？</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>A new document has changes that were not saved when the program ended (last copied %1).</source>
        <translation>程序结束时新文档的更改尚未保存（最后复制于 %1）。</translation>
    </message>
    <message>
        <source>%1 has changes that were not saved when the program ended (last copied %2).</source>
        <translation>程序结束时 %1 的更改尚未保存（最后复制于 %2）。</translation>
    </message>
    <message>
        <source>Restore the changes or discard them?</source>
        <translation>恢复这些更改还是丢弃？</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>撤销 %1(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>重做 %1(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Backups...</source>
        <translation>备份(&amp;B)...</translation>
    </message>
    <message>
        <source>Open an automatic backup of a read or a write as a new document</source>
        <translation>将读取或写入时自动保存的备份作为新文档打开</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>导入信道(&amp;I)...</translation>
    </message>
    <message>
        <source>Apply a channel CSV file to the active document</source>
        <translation>将信道 CSV 文件应用到当前文档</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>E&amp;xport Channels...</source>
        <translation>导出信道(&amp;X)...</translation>
    </message>
    <message>
        <source>Write the channels of the active document to a CSV file</source>
        <translation>将当前文档的信道写入 CSV 文件</translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation>导出信道</translation>
    </message>
    <message>
        <source>Compare with &amp;File...</source>
        <translation>与文件比较(&amp;F)...</translation>
    </message>
    <message>
        <source>List the differences between the active document and a .dat file</source>
        <translation>列出当前文档与 .dat 文件之间的差异</translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation>与文件比较</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>撤销上一次更改</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>重做上一次撤销的更改</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Move the selected rows to the clipboard</source>
        <translation>将所选行移到剪贴板</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Copy the selected rows to the clipboard</source>
        <translation>将所选行复制到剪贴板</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Paste rows from the clipboard</source>
        <translation>从剪贴板粘贴行</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>&amp;Insert Row</source>
        <translation>插入行(&amp;I)</translation>
    </message>
    <message>
        <source>Insert an empty channel, moving the channels below down</source>
        <translation>插入一个空信道，其下的信道下移</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>插入行</translation>
    </message>
    <message>
        <source>&amp;Delete Rows</source>
        <translation>删除行(&amp;D)</translation>
    </message>
    <message>
        <source>Delete the selected channels, moving the channels below up</source>
        <translation>删除所选信道，其下的信道上移</translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation>删除行</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>上移(&amp;U)</translation>
    </message>
    <message>
        <source>Move the selected channels up one row</source>
        <translation>将所选信道上移一行</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>下移(&amp;W)</translation>
    </message>
    <message>
        <source>Move the selected channels down one row</source>
        <translation>将所选信道下移一行</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Print &amp;Direct</source>
        <translation>直接打印(&amp;D)</translation>
    </message>
    <message>
        <source>Print the active document on the printer without asking</source>
        <translation>不经询问直接在打印机上打印当前文档</translation>
    </message>
    <message>
        <source>Print Direct</source>
        <translation>直接打印</translation>
    </message>
    <message>
        <source>&amp;Export to PDF...</source>
        <translation>导出为 PDF(&amp;E)...</translation>
    </message>
    <message>
        <source>Write the report of the active document to a PDF file</source>
        <translation>将当前文档的报告写入 PDF 文件</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>导出为 PDF</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>创建新的文档</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>打开已有的文档</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Close the active document</source>
        <translation>关闭当前文档</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>保存当前文档</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>用新的文件名保存当前文档</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>打印当前文档</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>显示整页</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>更改打印机和打印选项</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>打印设置</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>退出本程序</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>机型设置</translation>
    </message>
    <message>
        <source>Choose the model and its frequency bands</source>
        <translation>选择机型和频段</translation>
    </message>
    <message>
        <source>Channel Information</source>
        <translation>信道信息</translation>
    </message>
    <message>
        <source>Show the channel window</source>
        <translation>显示信道窗口</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Edit the radio-wide optional features</source>
        <translation>编辑整机的可选功能</translation>
    </message>
    <message>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
    <message>
        <source>Edit the DTMF encode, decode and call list</source>
        <translation>编辑 DTMF 编码、解码和呼叫列表</translation>
    </message>
    <message>
        <source>2-Tone</source>
        <translation>2-Tone</translation>
    </message>
    <message>
        <source>Edit the 2-Tone encode list and decode codes</source>
        <translation>编辑 2-Tone 编码列表和解码码</translation>
    </message>
    <message>
        <source>MSK</source>
        <translation>MSK</translation>
    </message>
    <message>
        <source>Edit the MSK identity and call list</source>
        <translation>编辑 MSK 本机号码和呼叫列表</translation>
    </message>
    <message>
        <source>Key Assignment</source>
        <translation>侧键设定</translation>
    </message>
    <message>
        <source>Assign the side key</source>
        <translation>设定侧键功能</translation>
    </message>
    <message>
        <source>Squelch Tuning</source>
        <translation>静噪微调</translation>
    </message>
    <message>
        <source>Read, tune and write the squelch levels of the radio</source>
        <translation>读取、调整并写入对讲机的静噪电平</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>读频(&amp;R)</translation>
    </message>
    <message>
        <source>Read Data From Radio</source>
        <translation>从对讲机读取数据</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>Write Data To Radio</source>
        <translation>向对讲机写入数据</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写频</translation>
    </message>
    <message>
        <source>Com Setup</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Choose the serial port</source>
        <translation>选择串口</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Choose the language of the program</source>
        <translation>选择程序的语言</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>显示或隐藏工具栏</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>切换工具栏</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>显示或隐藏状态栏</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>切换状态栏</translation>
    </message>
    <message>
        <source>Control &amp;Bar</source>
        <translation>控制栏(&amp;B)</translation>
    </message>
    <message>
        <source>Show or hide the navigation bar</source>
        <translation>显示或隐藏导航栏</translation>
    </message>
    <message>
        <source>Control Bar</source>
        <translation>控制栏</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>帮助主题(&amp;H)</translation>
    </message>
    <message>
        <source>List Help topics</source>
        <translation>列出帮助主题</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>帮助主题</translation>
    </message>
    <message>
        <source>&amp;About ...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>显示程序信息、版本号和版权</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Display help for current task or command</source>
        <translation>显示当前任务或命令的帮助</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>打开此文档</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>大写</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>滚动</translation>
    </message>
    <message>
        <source>Common channel CSV</source>
        <translation>通用信道 CSV</translation>
    </message>
</context>
<context>
    <name>CMyDocManager</name>
    <message>
        <source>Could not open the document: no file name was given.</source>
        <translation>无法打开文档：没有给出文件名。</translation>
    </message>
</context>
<context>
    <name>CNavigationPanel</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Out of range, please input again.</source>
        <translation>超出范围，请重新输入。</translation>
    </message>
    <message>
        <source>Error Data Format, please input again.</source>
        <translation>数据格式错误，请重新输入。</translation>
    </message>
    <message>
        <source>Communication Error, Please check all the connections and the radio power</source>
        <translation>通讯错误，请检查所有连接和对讲机电源</translation>
    </message>
    <message>
        <source>All data will be Cleared!</source>
        <translation>所有数据将被清除！</translation>
    </message>
    <message>
        <source>Could not Open the Port, Please check whether the Port are occupied or the device are ok</source>
        <translation>无法打开端口，请检查端口是否被占用或设备是否正常</translation>
    </message>
    <message>
        <source>Program Interrupt, Please reset the radio and try again</source>
        <translation>写频中断，请重启对讲机后再试</translation>
    </message>
    <message>
        <source>

The frequency band over the range of the radio.
Click the OK button to continue, or click Cancel button to exit.</source>
        <translation>

频段超出对讲机的范围。
按“确定”继续，或按“取消”退出。</translation>
    </message>
    <message>
        <source>Error data Value, please input according the step value(6.25K/5k).</source>
        <translation>数据值错误，请按步进值（6.25K/5K）输入。</translation>
    </message>
    <message>
        <source>Caution</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>CProcessDlg</name>
    <message>
        <source>Progress：</source>
        <translation>进度：</translation>
    </message>
    <message>
        <source>Not start yet</source>
        <translation>未开始</translation>
    </message>
    <message>
        <source>Waiting the response from radio....</source>
        <translation>请等待对机讲响应....</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CSquelchTuningDlg</name>
    <message>
        <source>Squelch Tuning</source>
        <translation>静噪微调</translation>
    </message>
    <message>
        <source>V Wide Squelch Tuning</source>
        <translation>V段宽带静噪微调</translation>
    </message>
    <message>
        <source>V Narrow Squelch Tuning</source>
        <translation>V段窄带静噪微调</translation>
    </message>
    <message>
        <source>U Wide Squelch Tuning</source>
        <translation>U段宽带静噪微调</translation>
    </message>
    <message>
        <source>U Narrow Squelch Tuning</source>
        <translation>U段窄带静噪微调</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写频</translation>
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
        <source>Writing the radio, please wait...</source>
        <translation>正在写入对讲机，请稍候...</translation>
    </message>
    <message>
        <source>Reading the radio, please wait...</source>
        <translation>正在读取对讲机，请稍候...</translation>
    </message>
</context>
<context>
    <name>CComSetupDlg</name>
    <message>
        <source>Com Setup</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
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
        <source>(not available)</source>
        <translation>（不可用）</translation>
    </message>
    <message>
        <source>Simulated radio</source>
        <translation>模拟对讲机</translation>
    </message>
    <message>
        <source>A radio inside the program, for demonstrations without a cable</source>
        <translation>程序内置的模拟对讲机，无需写频线即可演示</translation>
    </message>
</context>
<context>
    <name>CDtmfDlg</name>
    <message>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
    <message>
        <source>Encode</source>
        <translation>编码</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
    <message>
        <source>CallList</source>
        <translation>呼叫列表</translation>
    </message>
</context>
<context>
    <name>CDtmfEncodePage</name>
    <message>
        <source>DTMF Speed(digit/s)</source>
        <translation>DTMF 速率 (数码/秒)</translation>
    </message>
    <message>
        <source>First Digit Delay Time(ms)</source>
        <translation>首位数码持续时间 (毫秒)</translation>
    </message>
    <message>
        <source>First Digit Time(ms)</source>
        <translation>首位数码时间 (毫秒)</translation>
    </message>
    <message>
        <source>* and # Digit Time(ms)</source>
        <translation>* 和 # 数码时间 (毫秒)</translation>
    </message>
    <message>
        <source>SideTone</source>
        <translation>侧音</translation>
    </message>
</context>
<context>
    <name>CDtmfDecodePage</name>
    <message>
        <source>ID Code</source>
        <translation>身份码</translation>
    </message>
    <message>
        <source>Group Code</source>
        <translation>组呼码</translation>
    </message>
    <message>
        <source>Stun</source>
        <translation>遥毙</translation>
    </message>
    <message>
        <source>Stun Activation</source>
        <translation>遥毙激活</translation>
    </message>
    <message>
        <source>Stun Code</source>
        <translation>遥毙码</translation>
    </message>
    <message>
        <source>Stun Type</source>
        <translation>遥毙类型</translation>
    </message>
</context>
<context>
    <name>CDtmfCallListPage</name>
    <message>
        <source>Num</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Fast Call List</source>
        <translation>快速呼叫列表</translation>
    </message>
</context>
<context>
    <name>CMskDlg</name>
    <message>
        <source>MSK</source>
        <translation>MSK</translation>
    </message>
    <message>
        <source>ID Code</source>
        <translation>身份码</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Call List</source>
        <translation>呼叫列表</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CTwoToneDlg</name>
    <message>
        <source>2-Tone</source>
        <translation>2-Tone</translation>
    </message>
    <message>
        <source>Encode</source>
        <translation>编码</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
</context>
<context>
    <name>CTwoToneEncodePage</name>
    <message>
        <source>The first delay time(s)</source>
        <translation>第一音频持续时间(s)</translation>
    </message>
    <message>
        <source>The second delay time(s)</source>
        <translation>第二音频持续时间(s)</translation>
    </message>
    <message>
        <source>Long tone delay time(s)</source>
        <translation>长音持续时间(s)</translation>
    </message>
    <message>
        <source>Tone interval time(ms)</source>
        <translation>音频间隔时间(ms)</translation>
    </message>
    <message>
        <source>Tx rise delay time(ms)</source>
        <translation>上升发射延迟时间(ms)</translation>
    </message>
    <message>
        <source>Short beep tone</source>
        <translation>短哔音</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Tone1 Fre</source>
        <translation>音频1</translation>
    </message>
    <message>
        <source>Tone2 Fre</source>
        <translation>音频2</translation>
    </message>
</context>
<context>
    <name>CTwoToneDecodePage</name>
    <message>
        <source>A Tone(HZ)</source>
        <translation>A 音(HZ)</translation>
    </message>
    <message>
        <source>B Tone(HZ)</source>
        <translation>B 音(HZ)</translation>
    </message>
    <message>
        <source>The first delay time(s)</source>
        <translation>第一音频持续时间(s)</translation>
    </message>
    <message>
        <source>The second delay time(s)</source>
        <translation>第二音频持续时间(s)</translation>
    </message>
    <message>
        <source>Interval time(s)</source>
        <translation>音频间隔时间(s)</translation>
    </message>
    <message>
        <source>Long tone delay time(s)</source>
        <translation>长音持续时间(s)</translation>
    </message>
</context>
<context>
    <name>COptionalFeaturesDlg</name>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>TOT (s)</source>
        <translation>发射限时(秒)</translation>
    </message>
    <message>
        <source>TOT Pre-Alert (s)</source>
        <translation>限时预警(秒)</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪等级</translation>
    </message>
    <message>
        <source>Vox Gain Level</source>
        <translation>声控灵敏度</translation>
    </message>
    <message>
        <source>Step (k)</source>
        <translation>步进(k)</translation>
    </message>
    <message>
        <source>Back Light</source>
        <translation>背光</translation>
    </message>
    <message>
        <source>Back Light Color</source>
        <translation>背光颜色</translation>
    </message>
    <message>
        <source>Power-on Style</source>
        <translation>开机显示</translation>
    </message>
    <message>
        <source>Key Lock</source>
        <translation>键盘锁</translation>
    </message>
    <message>
        <source>Priority Channel</source>
        <translation>优先信道</translation>
    </message>
    <message>
        <source>Display Mode</source>
        <translation>显示模式</translation>
    </message>
    <message>
        <source>Battery Saver</source>
        <translation>省电</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <source>Stopwatch</source>
        <translation>秒表</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>扫描方式</translation>
    </message>
    <message>
        <source>MSK Type</source>
        <translation>MSK 类型</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Keypad Lock</source>
        <translation>键盘锁定</translation>
    </message>
    <message>
        <source>Repeater Msk Invert</source>
        <translation>中继 MSK 反相</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CKeyAssignmentDlg</name>
    <message>
        <source>Key Assignment</source>
        <translation>侧键设定</translation>
    </message>
    <message>
        <source>Side Key</source>
        <translation>侧键</translation>
    </message>
    <message>
        <source>Option Singalling Call</source>
        <translation>选呼</translation>
    </message>
    <message>
        <source>Emergency Call</source>
        <translation>紧急呼叫</translation>
    </message>
    <message>
        <source>Send 1750Hz Singal</source>
        <translation>发送1750Hz</translation>
    </message>
    <message>
        <source>Squelch Off Momentary</source>
        <translation>瞬间静噪关闭</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CPrintListDlg</name>
    <message>
        <source>PrintList</source>
        <translation>打印列表</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>页数</translation>
    </message>
    <message>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
    <message>
        <source>MSK</source>
        <translation>MSK</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>2-Tone</source>
        <translation>2-Tone</translation>
    </message>
    <message>
        <source>Channel Info</source>
        <translation>信道信息</translation>
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
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>Pages to print: %1</source>
        <translation>要打印的页数：%1</translation>
    </message>
</context>
<context>
    <name>CReportPrinting</name>
    <message>
        <source>The selected sections have no pages: tick a section, or define a channel before printing Channel Info.</source>
        <translation>所选部分没有可打印的页：请勾选一个部分，或在打印信道信息之前先设置信道。</translation>
    </message>
    <message>
        <source>No printer is installed.
Add one in the system's printer settings, or export the report to a PDF file and print that elsewhere.

Export the report to PDF now?</source>
        <translation>没有安装打印机。
请在系统的打印机设置中添加打印机，或将报告导出为 PDF 文件后在别处打印。

现在将报告导出为 PDF 吗？</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation>无法打印报告。</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>No printer is installed, so there is no page setup to choose.
Add a printer in the system's printer settings; File &gt; Export to PDF writes the report to a file without one.</source>
        <translation>没有安装打印机，因此无法进行页面设置。
请在系统的打印机设置中添加打印机；没有打印机时，"文件 &gt; 导出为 PDF"可将报告写入文件。</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>打印设置</translation>
    </message>
    <message>
        <source>The report could not be exported.</source>
        <translation>无法导出报告。</translation>
    </message>
    <message>
        <source>%1 page(s) of the report sent to %2</source>
        <translation>报告共 %1 页已发送到 %2</translation>
    </message>
</context>
<context>
    <name>CProgramView</name>
    <message>
        <source>Edit %1</source>
        <translation>编辑 %1</translation>
    </message>
    <message>
        <source>Channel Edit</source>
        <translation>信道编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>CRowCommands</name>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>插入行</translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation>删除行</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 项</translation>
    </message>
    <message>
        <source>The Fr row stays last: rows are inserted among channels 1 to 128.</source>
        <translation>Fr 行固定在最后：只能在信道 1 到 128 之间插入行。</translation>
    </message>
    <message>
        <source>Channel 128 is in use, and inserting a row would push it out. Delete or move it first.</source>
        <translation>信道 128 已被使用，插入一行会把它挤出。请先删除或移动它。</translation>
    </message>
</context>
<context>
    <name>CCsvErrorsDlg</name>
    <message>
        <source>The channels of %1 were not imported; nothing was changed.
Entries of the file that were refused: %2</source>
        <translation>%1 中的信道没有导入，数据没有任何改变。
文件中被拒绝的项目：%2</translation>
    </message>
    <message>
        <source>The channels could not be imported.</source>
        <translation>无法导入信道。</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>Channels imported from %1</source>
        <translation>已从 %1 导入信道</translation>
    </message>
    <message>
        <source>The channels could not be exported.</source>
        <translation>无法导出信道。</translation>
    </message>
    <message>
        <source>Channels exported to %1</source>
        <translation>信道已导出到 %1</translation>
    </message>
    <message>
        <source>Names longer than the radio holds were cut:</source>
        <translation>超出对讲机容量的名字已被截短：</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……以及另外 %1 项</translation>
    </message>
    <message>
        <source>%1 rows of %2 cannot be stored in the radio:</source>
        <translation>%2 中有 %1 行无法存入对讲机：</translation>
    </message>
    <message>
        <source>Skip these rows and import the others? No leaves the channels as they are.</source>
        <translation>跳过这些行并导入其余各行吗？选择“否”则信道保持不变。</translation>
    </message>
</context>
<context>
    <name>CCompareDlg</name>
    <message>
        <source>Differences between the document and %1: %2</source>
        <translation>文档与 %1 之间的差异：%2</translation>
    </message>
    <message>
        <source>The documents are the same.</source>
        <translation>两个文档相同。</translation>
    </message>
</context>
<context>
    <name>CPortDoctorDlg</name>
    <message>
        <source>Port Doctor</source>
        <translation>端口诊断</translation>
    </message>
    <message>
        <source>Port: %1</source>
        <translation>端口：%1</translation>
    </message>
    <message>
        <source>&amp;Check Again</source>
        <translation>重新检查(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Loopback Test...</source>
        <translation>环回测试(&amp;L)...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The simulated radio is not a serial port: there is nothing to check.</source>
        <translation>模拟电台不是串口，无需检查。</translation>
    </message>
    <message>
        <source>No problem found.</source>
        <translation>未发现问题。</translation>
    </message>
    <message>
        <source>Problems found: %1. Each has its fix below it; select the text to copy a command.</source>
        <translation>发现问题：%1 个。每个问题下方都有解决方法；选中文字即可复制命令。</translation>
    </message>
    <message>
        <source>Join the cable's TX and RX (at the radio's plug, with the radio unplugged), then press OK to send a test pattern at 9600 baud.</source>
        <translation>请在电台插头处连接写频线的 TX 与 RX（不要连接电台），然后按“确定”以 9600 波特率发送测试数据。</translation>
    </message>
</context>
<context>
    <name>CTextListDlg</name>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
</context>
</TS>