<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>GameWindow</name>
    <message>
        <source>Zoom ×%1</source>
        <translation>拡大 ×%1</translation>
    </message>
    <message>
        <source>Screen&apos;s default zoom</source>
        <translation>画面に合った大きさ</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全画面</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Effects volume</source>
        <translation>効果音の音量</translation>
    </message>
    <message>
        <source>Music volume</source>
        <translation>音楽の音量</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>消音</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語 (Language)</translation>
    </message>
</context>
</TS>
