// CDialog: a dialog built from a registered template table, run modally
// (DoModal) or created as a modeless child (Create).
#pragma once

#include "framework/AfxWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog modally with its owner disabled; the result given to
    // EndDialog, or -1 when the template is not registered or cannot be built.
    virtual INT_PTR DoModal();
    // Creates the dialog as a modeless window of pParentWnd (a child when its
    // template says WS_CHILD); FALSE when it cannot be built.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    // Loads the template's list entries into their controls, then runs the
    // data exchange in the loading direction. TRUE: the dialog manager puts
    // the focus on the first control that takes it.
    virtual BOOL OnInitDialog();

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);

    UINT GetTemplateID() const { return m_nIDTemplate; }
    // TRUE between the start of DoModal and EndDialog.
    BOOL ContinueModal() const { return m_bContinueModal; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // IDOK and IDCANCEL commands no message map entry takes come here.
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    void LoadTemplateEntries();

    BOOL m_bContinueModal = FALSE;
    INT_PTR m_nModalResult = -1;
};
