; The setup program's own texts, in English and Japanese (the pages' texts
; come from NSIS's language files).
LangString SettingsLink ${LANG_ENGLISH} "Velmoran settings"
LangString SettingsLink ${LANG_JAPANESE} "Velmoran の設定"
LangString UninstallLink ${LANG_ENGLISH} "Uninstall Velmoran"
LangString UninstallLink ${LANG_JAPANESE} "Velmoran のアンインストール"
LangString SaverSection ${LANG_ENGLISH} "Velmoran screen saver"
LangString SaverSection ${LANG_JAPANESE} "スクリーンセーバー Velmoran"
