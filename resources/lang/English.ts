<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Program</source>
        <translation>About Program</translation>
    </message>
    <message>
        <source>Program Version 1.0</source>
        <translation>Program Version 1.0</translation>
    </message>
    <message>
        <source>All Rights Reserved</source>
        <translation>All Rights Reserved</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CChannelEditDlg</name>
    <message>
        <source>Channel Edit</source>
        <translation>Channel Edit</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Optional Signal</source>
        <translation>Optional Signal</translation>
    </message>
    <message>
        <source>Encode</source>
        <translation>Encode</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>Decode</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CProductInfoDlg</name>
    <message>
        <source>Product Information</source>
        <translation>Product Information</translation>
    </message>
    <message>
        <source>Model Info</source>
        <translation>Model Info</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>——</source>
        <translation>——</translation>
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
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source> Help</source>
        <translation> Help</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Contents</translation>
    </message>
</context>
<context>
    <name>CLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Compare with &amp;Radio</source>
        <translation>Compare with &amp;Radio</translation>
    </message>
    <message>
        <source>Read the radio into a copy and list its differences from the active document</source>
        <translation>Read the radio into a copy and list its differences from the active document</translation>
    </message>
    <message>
        <source>Compare with Radio</source>
        <translation>Compare with Radio</translation>
    </message>
    <message>
        <source>Port &amp;Doctor...</source>
        <translation>Port &amp;Doctor...</translation>
    </message>
    <message>
        <source>Check the serial port and explain what keeps it from working</source>
        <translation>Check the serial port and explain what keeps it from working</translation>
    </message>
    <message>
        <source>Port Doctor</source>
        <translation>Port Doctor</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>A new document has changes that were not saved when the program ended (last copied %1).</source>
        <translation>A new document has changes that were not saved when the program ended (last copied %1).</translation>
    </message>
    <message>
        <source>%1 has changes that were not saved when the program ended (last copied %2).</source>
        <translation>%1 has changes that were not saved when the program ended (last copied %2).</translation>
    </message>
    <message>
        <source>Restore the changes or discard them?</source>
        <translation>Restore the changes or discard them?</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>&amp;Import Channels...</translation>
    </message>
    <message>
        <source>Apply a channel CSV file to the active document</source>
        <translation>Apply a channel CSV file to the active document</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>Import Channels</translation>
    </message>
    <message>
        <source>E&amp;xport Channels...</source>
        <translation>E&amp;xport Channels...</translation>
    </message>
    <message>
        <source>Write the channels of the active document to a CSV file</source>
        <translation>Write the channels of the active document to a CSV file</translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation>Export Channels</translation>
    </message>
    <message>
        <source>Compare with &amp;File...</source>
        <translation>Compare with &amp;File...</translation>
    </message>
    <message>
        <source>List the differences between the active document and a .dat file</source>
        <translation>List the differences between the active document and a .dat file</translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation>Compare with File</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Undo the last change</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>Redo the change undone last</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>Move the selected rows to the clipboard</source>
        <translation>Move the selected rows to the clipboard</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Copy the selected rows to the clipboard</source>
        <translation>Copy the selected rows to the clipboard</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Paste rows from the clipboard</source>
        <translation>Paste rows from the clipboard</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>&amp;Insert Row</source>
        <translation>&amp;Insert Row</translation>
    </message>
    <message>
        <source>Insert an empty channel, moving the channels below down</source>
        <translation>Insert an empty channel, moving the channels below down</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>Insert Row</translation>
    </message>
    <message>
        <source>&amp;Delete Rows</source>
        <translation>&amp;Delete Rows</translation>
    </message>
    <message>
        <source>Delete the selected channels, moving the channels below up</source>
        <translation>Delete the selected channels, moving the channels below up</translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation>Delete Rows</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Move &amp;Up</translation>
    </message>
    <message>
        <source>Move the selected channels up one row</source>
        <translation>Move the selected channels up one row</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>Move Do&amp;wn</translation>
    </message>
    <message>
        <source>Move the selected channels down one row</source>
        <translation>Move the selected channels down one row</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>Print &amp;Direct</source>
        <translation>Print &amp;Direct</translation>
    </message>
    <message>
        <source>Print the active document on the printer without asking</source>
        <translation>Print the active document on the printer without asking</translation>
    </message>
    <message>
        <source>Print Direct</source>
        <translation>Print Direct</translation>
    </message>
    <message>
        <source>&amp;Export to PDF...</source>
        <translation>&amp;Export to PDF...</translation>
    </message>
    <message>
        <source>Write the report of the active document to a PDF file</source>
        <translation>Write the report of the active document to a PDF file</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>Export to PDF</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Close the active document</source>
        <translation>Close the active document</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Save the active document with a new name</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>Print the active document</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>Display full pages</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>Change the printer and printing options</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>Quit the application</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>Product Information</translation>
    </message>
    <message>
        <source>Choose the model and its frequency bands</source>
        <translation>Choose the model and its frequency bands</translation>
    </message>
    <message>
        <source>Channel Information</source>
        <translation>Channel Information</translation>
    </message>
    <message>
        <source>Show the channel window</source>
        <translation>Show the channel window</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>Optional Features</translation>
    </message>
    <message>
        <source>Edit the radio-wide optional features</source>
        <translation>Edit the radio-wide optional features</translation>
    </message>
    <message>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
    <message>
        <source>Edit the DTMF encode, decode and call list</source>
        <translation>Edit the DTMF encode, decode and call list</translation>
    </message>
    <message>
        <source>2-Tone</source>
        <translation>2-Tone</translation>
    </message>
    <message>
        <source>Edit the 2-Tone encode list and decode codes</source>
        <translation>Edit the 2-Tone encode list and decode codes</translation>
    </message>
    <message>
        <source>MSK</source>
        <translation>MSK</translation>
    </message>
    <message>
        <source>Edit the MSK identity and call list</source>
        <translation>Edit the MSK identity and call list</translation>
    </message>
    <message>
        <source>Key Assignment</source>
        <translation>Key Assignment</translation>
    </message>
    <message>
        <source>Assign the side key</source>
        <translation>Assign the side key</translation>
    </message>
    <message>
        <source>Squelch Tuning</source>
        <translation>Squelch Tuning</translation>
    </message>
    <message>
        <source>Read, tune and write the squelch levels of the radio</source>
        <translation>Read, tune and write the squelch levels of the radio</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>&amp;Read</translation>
    </message>
    <message>
        <source>Read Data From Radio</source>
        <translation>Read Data From Radio</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <source>Write Data To Radio</source>
        <translation>Write Data To Radio</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Com Setup</source>
        <translation>Com Setup</translation>
    </message>
    <message>
        <source>Choose the serial port</source>
        <translation>Choose the serial port</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Choose the language of the program</source>
        <translation>Choose the language of the program</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>Toggle ToolBar</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>Toggle StatusBar</translation>
    </message>
    <message>
        <source>Control &amp;Bar</source>
        <translation>Control &amp;Bar</translation>
    </message>
    <message>
        <source>Show or hide the navigation bar</source>
        <translation>Show or hide the navigation bar</translation>
    </message>
    <message>
        <source>Control Bar</source>
        <translation>Control Bar</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>List Help topics</source>
        <translation>List Help topics</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>Help Topics</translation>
    </message>
    <message>
        <source>&amp;About ...</source>
        <translation>&amp;About ...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Display program information, version number and copyright</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Display help for current task or command</source>
        <translation>Display help for current task or command</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>Common channel CSV</source>
        <translation>Common channel CSV</translation>
    </message>
</context>
<context>
    <name>CMyDocManager</name>
    <message>
        <source>Could not open the document: no file name was given.</source>
        <translation>Could not open the document: no file name was given.</translation>
    </message>
</context>
<context>
    <name>CNavigationPanel</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Out of range, please input again.</source>
        <translation>Out of range, please input again.</translation>
    </message>
    <message>
        <source>Error Data Format, please input again.</source>
        <translation>Error Data Format, please input again.</translation>
    </message>
    <message>
        <source>Communication Error, Please check all the connections and the radio power</source>
        <translation>Communication Error, Please check all the connections and the radio power</translation>
    </message>
    <message>
        <source>All data will be Cleared!</source>
        <translation>All data will be Cleared!</translation>
    </message>
    <message>
        <source>Could not Open the Port, Please check whether the Port are occupied or the device are ok</source>
        <translation>Could not Open the Port, Please check whether the Port are occupied or the device are ok</translation>
    </message>
    <message>
        <source>Program Interrupt, Please reset the radio and try again</source>
        <translation>Program Interrupt, Please reset the radio and try again</translation>
    </message>
    <message>
        <source>

The frequency band over the range of the radio.
Click the OK button to continue, or click Cancel button to exit.</source>
        <translation>

The frequency band over the range of the radio.
Click the OK button to continue, or click Cancel button to exit.</translation>
    </message>
    <message>
        <source>Error data Value, please input according the step value(6.25K/5k).</source>
        <translation>Error data Value, please input according the step value(6.25K/5k).</translation>
    </message>
    <message>
        <source>Caution</source>
        <translation>Caution</translation>
    </message>
</context>
<context>
    <name>CProcessDlg</name>
    <message>
        <source>Progress：</source>
        <translation>Progress：</translation>
    </message>
    <message>
        <source>Not start yet</source>
        <translation>Not start yet</translation>
    </message>
    <message>
        <source>Waiting the response from radio....</source>
        <translation>Waiting the response from radio....</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CSquelchTuningDlg</name>
    <message>
        <source>Squelch Tuning</source>
        <translation>Squelch Tuning</translation>
    </message>
    <message>
        <source>V Wide Squelch Tuning</source>
        <translation>V Wide Squelch Tuning</translation>
    </message>
    <message>
        <source>V Narrow Squelch Tuning</source>
        <translation>V Narrow Squelch Tuning</translation>
    </message>
    <message>
        <source>U Wide Squelch Tuning</source>
        <translation>U Wide Squelch Tuning</translation>
    </message>
    <message>
        <source>U Narrow Squelch Tuning</source>
        <translation>U Narrow Squelch Tuning</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
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
        <source>Writing the radio, please wait...</source>
        <translation>Writing the radio, please wait...</translation>
    </message>
    <message>
        <source>Reading the radio, please wait...</source>
        <translation>Reading the radio, please wait...</translation>
    </message>
</context>
<context>
    <name>CComSetupDlg</name>
    <message>
        <source>Com Setup</source>
        <translation>Com Setup</translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation>Com Port</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
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
        <source>(not available)</source>
        <translation>(not available)</translation>
    </message>
    <message>
        <source>Simulated radio</source>
        <translation>Simulated radio</translation>
    </message>
    <message>
        <source>A radio inside the program, for demonstrations without a cable</source>
        <translation>A radio inside the program, for demonstrations without a cable</translation>
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
        <translation>Encode</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>Decode</translation>
    </message>
    <message>
        <source>CallList</source>
        <translation>CallList</translation>
    </message>
</context>
<context>
    <name>CDtmfEncodePage</name>
    <message>
        <source>DTMF Speed(digit/s)</source>
        <translation>DTMF Speed(digit/s)</translation>
    </message>
    <message>
        <source>First Digit Delay Time(ms)</source>
        <translation>First Digit Delay Time(ms)</translation>
    </message>
    <message>
        <source>First Digit Time(ms)</source>
        <translation>First Digit Time(ms)</translation>
    </message>
    <message>
        <source>* and # Digit Time(ms)</source>
        <translation>* and # Digit Time(ms)</translation>
    </message>
    <message>
        <source>SideTone</source>
        <translation>SideTone</translation>
    </message>
</context>
<context>
    <name>CDtmfDecodePage</name>
    <message>
        <source>ID Code</source>
        <translation>ID Code</translation>
    </message>
    <message>
        <source>Group Code</source>
        <translation>Group Code</translation>
    </message>
    <message>
        <source>Stun</source>
        <translation>Stun</translation>
    </message>
    <message>
        <source>Stun Activation</source>
        <translation>Stun Activation</translation>
    </message>
    <message>
        <source>Stun Code</source>
        <translation>Stun Code</translation>
    </message>
    <message>
        <source>Stun Type</source>
        <translation>Stun Type</translation>
    </message>
</context>
<context>
    <name>CDtmfCallListPage</name>
    <message>
        <source>Num</source>
        <translation>Num</translation>
    </message>
    <message>
        <source>Fast Call List</source>
        <translation>Fast Call List</translation>
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
        <translation>ID Code</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Num</translation>
    </message>
    <message>
        <source>Call List</source>
        <translation>Call List</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <translation>Encode</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>Decode</translation>
    </message>
</context>
<context>
    <name>CTwoToneEncodePage</name>
    <message>
        <source>The first delay time(s)</source>
        <translation>The first delay time(s)</translation>
    </message>
    <message>
        <source>The second delay time(s)</source>
        <translation>The second delay time(s)</translation>
    </message>
    <message>
        <source>Long tone delay time(s)</source>
        <translation>Long tone delay time(s)</translation>
    </message>
    <message>
        <source>Tone interval time(ms)</source>
        <translation>Tone interval time(ms)</translation>
    </message>
    <message>
        <source>Tx rise delay time(ms)</source>
        <translation>Tx rise delay time(ms)</translation>
    </message>
    <message>
        <source>Short beep tone</source>
        <translation>Short beep tone</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Num</translation>
    </message>
    <message>
        <source>Tone1 Fre</source>
        <translation>Tone1 Fre</translation>
    </message>
    <message>
        <source>Tone2 Fre</source>
        <translation>Tone2 Fre</translation>
    </message>
</context>
<context>
    <name>CTwoToneDecodePage</name>
    <message>
        <source>A Tone(HZ)</source>
        <translation>A Tone(HZ)</translation>
    </message>
    <message>
        <source>B Tone(HZ)</source>
        <translation>B Tone(HZ)</translation>
    </message>
    <message>
        <source>The first delay time(s)</source>
        <translation>The first delay time(s)</translation>
    </message>
    <message>
        <source>The second delay time(s)</source>
        <translation>The second delay time(s)</translation>
    </message>
    <message>
        <source>Interval time(s)</source>
        <translation>Interval time(s)</translation>
    </message>
    <message>
        <source>Long tone delay time(s)</source>
        <translation>Long tone delay time(s)</translation>
    </message>
</context>
<context>
    <name>COptionalFeaturesDlg</name>
    <message>
        <source>Optional Features</source>
        <translation>Optional Features</translation>
    </message>
    <message>
        <source>TOT (s)</source>
        <translation>TOT (s)</translation>
    </message>
    <message>
        <source>TOT Pre-Alert (s)</source>
        <translation>TOT Pre-Alert (s)</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>Squelch Level</translation>
    </message>
    <message>
        <source>Vox Gain Level</source>
        <translation>Vox Gain Level</translation>
    </message>
    <message>
        <source>Step (k)</source>
        <translation>Step (k)</translation>
    </message>
    <message>
        <source>Back Light</source>
        <translation>Back Light</translation>
    </message>
    <message>
        <source>Back Light Color</source>
        <translation>Back Light Color</translation>
    </message>
    <message>
        <source>Power-on Style</source>
        <translation>Power-on Style</translation>
    </message>
    <message>
        <source>Key Lock</source>
        <translation>Key Lock</translation>
    </message>
    <message>
        <source>Priority Channel</source>
        <translation>Priority Channel</translation>
    </message>
    <message>
        <source>Display Mode</source>
        <translation>Display Mode</translation>
    </message>
    <message>
        <source>Battery Saver</source>
        <translation>Battery Saver</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>Stopwatch</source>
        <translation>Stopwatch</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>Scan Mode</translation>
    </message>
    <message>
        <source>MSK Type</source>
        <translation>MSK Type</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Keypad Lock</source>
        <translation>Keypad Lock</translation>
    </message>
    <message>
        <source>Repeater Msk Invert</source>
        <translation>Repeater Msk Invert</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CKeyAssignmentDlg</name>
    <message>
        <source>Key Assignment</source>
        <translation>Key Assignment</translation>
    </message>
    <message>
        <source>Side Key</source>
        <translation>Side Key</translation>
    </message>
    <message>
        <source>Option Singalling Call</source>
        <translation>Option Singalling Call</translation>
    </message>
    <message>
        <source>Emergency Call</source>
        <translation>Emergency Call</translation>
    </message>
    <message>
        <source>Send 1750Hz Singal</source>
        <translation>Send 1750Hz Singal</translation>
    </message>
    <message>
        <source>Squelch Off Momentary</source>
        <translation>Squelch Off Momentary</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CPrintListDlg</name>
    <message>
        <source>PrintList</source>
        <translation>PrintList</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
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
        <translation>Optional</translation>
    </message>
    <message>
        <source>2-Tone</source>
        <translation>2-Tone</translation>
    </message>
    <message>
        <source>Channel Info</source>
        <translation>Channel Info</translation>
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
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>Pages to print: %1</source>
        <translation>Pages to print: %1</translation>
    </message>
</context>
<context>
    <name>CReportPrinting</name>
    <message>
        <source>The selected sections have no pages: tick a section, or define a channel before printing Channel Info.</source>
        <translation>The selected sections have no pages: tick a section, or define a channel before printing Channel Info.</translation>
    </message>
    <message>
        <source>No printer is installed.
Add one in the system's printer settings, or export the report to a PDF file and print that elsewhere.

Export the report to PDF now?</source>
        <translation>No printer is installed.
Add one in the system's printer settings, or export the report to a PDF file and print that elsewhere.

Export the report to PDF now?</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation>The report could not be printed.</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>No printer is installed, so there is no page setup to choose.
Add a printer in the system's printer settings; File &gt; Export to PDF writes the report to a file without one.</source>
        <translation>No printer is installed, so there is no page setup to choose.
Add a printer in the system's printer settings; File &gt; Export to PDF writes the report to a file without one.</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>The report could not be exported.</source>
        <translation>The report could not be exported.</translation>
    </message>
    <message>
        <source>%1 page(s) of the report sent to %2</source>
        <translation>%1 page(s) of the report sent to %2</translation>
    </message>
</context>
<context>
    <name>CProgramView</name>
    <message>
        <source>Edit %1</source>
        <translation>Edit %1</translation>
    </message>
    <message>
        <source>Channel Edit</source>
        <translation>Channel Edit</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>CRowCommands</name>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>Insert Row</translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation>Delete Rows</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>The Fr row stays last: rows are inserted among channels 1 to 128.</source>
        <translation>The Fr row stays last: rows are inserted among channels 1 to 128.</translation>
    </message>
    <message>
        <source>Channel 128 is in use, and inserting a row would push it out. Delete or move it first.</source>
        <translation>Channel 128 is in use, and inserting a row would push it out. Delete or move it first.</translation>
    </message>
</context>
<context>
    <name>CCsvErrorsDlg</name>
    <message>
        <source>The channels of %1 were not imported; nothing was changed.
Entries of the file that were refused: %2</source>
        <translation>The channels of %1 were not imported; nothing was changed.
Entries of the file that were refused: %2</translation>
    </message>
    <message>
        <source>The channels could not be imported.</source>
        <translation>The channels could not be imported.</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>Import Channels</translation>
    </message>
    <message>
        <source>Channels imported from %1</source>
        <translation>Channels imported from %1</translation>
    </message>
    <message>
        <source>The channels could not be exported.</source>
        <translation>The channels could not be exported.</translation>
    </message>
    <message>
        <source>Channels exported to %1</source>
        <translation>Channels exported to %1</translation>
    </message>
    <message>
        <source>Names longer than the radio holds were cut:</source>
        <translation>Names longer than the radio holds were cut:</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>%1 rows of %2 cannot be stored in the radio:</source>
        <translation>%1 rows of %2 cannot be stored in the radio:</translation>
    </message>
    <message>
        <source>Skip these rows and import the others? No leaves the channels as they are.</source>
        <translation>Skip these rows and import the others? No leaves the channels as they are.</translation>
    </message>
</context>
<context>
    <name>CCompareDlg</name>
    <message>
        <source>Differences between the document and %1: %2</source>
        <translation>Differences between the document and %1: %2</translation>
    </message>
    <message>
        <source>The documents are the same.</source>
        <translation>The documents are the same.</translation>
    </message>
</context>
<context>
    <name>CPortDoctorDlg</name>
    <message>
        <source>Port Doctor</source>
        <translation>Port Doctor</translation>
    </message>
    <message>
        <source>Port: %1</source>
        <translation>Port: %1</translation>
    </message>
    <message>
        <source>&amp;Check Again</source>
        <translation>&amp;Check Again</translation>
    </message>
    <message>
        <source>&amp;Loopback Test...</source>
        <translation>&amp;Loopback Test...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>The simulated radio is not a serial port: there is nothing to check.</source>
        <translation>The simulated radio is not a serial port: there is nothing to check.</translation>
    </message>
    <message>
        <source>No problem found.</source>
        <translation>No problem found.</translation>
    </message>
    <message>
        <source>Problems found: %1. Each has its fix below it; select the text to copy a command.</source>
        <translation>Problems found: %1. Each has its fix below it; select the text to copy a command.</translation>
    </message>
    <message>
        <source>Join the cable's TX and RX (at the radio's plug, with the radio unplugged), then press OK to send a test pattern at 9600 baud.</source>
        <translation>Join the cable's TX and RX (at the radio's plug, with the radio unplugged), then press OK to send a test pattern at 9600 baud.</translation>
    </message>
</context>
<context>
    <name>CTextListDlg</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
</context>
</TS>